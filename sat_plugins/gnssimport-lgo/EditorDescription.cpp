#include "Identifiers.h"

// The property list view's editor: one group of twelve text fields whose
// element names and propid values are those of PropertyID::Type.
const wchar_t* CIdentifiers::EditorDescription()
{
    return LR"xml(
<PluginSettings text="Настройки" type="editor" editorclass="CParamSettingsEditor">
    <SettingsGroup text="Настройка идентификаторов колонок" type="node">
        <pointID     text="Имя точки (по умолч. 'Point Id')" type="string" propid="0"/>
        <latitude    text="Широта (по умолч. 'Latitude')" type="string" propid="1"/>
        <longitude   text="Долгота (по умолч. 'Longitude')" type="string" propid="2"/>
        <referenceId text="Начало вектора (по умолч. 'Reference Id')" type="string" propid="3"/>
        <roverId     text="Конец вектора (по умолч. 'Rover Id')" type="string" propid="4"/>
        <dX          text="dX (по умолч. 'dX')" type="string" propid="5"/>
        <dY          text="dY (по умолч. 'dY')" type="string" propid="6"/>
        <dZ          text="dZ (по умолч. 'dZ')" type="string" propid="7"/>
        <q11         text="SigX в квадрате (по умолч. 'Q11')" type="string" propid="8"/>
        <q22         text="SigY в квадрате (по умолч. 'Q22')" type="string" propid="9"/>
        <q33         text="SigZ в квадрате (по умолч. 'Q33')" type="string" propid="10"/>
        <ellipHgt    text="Эллипсоидальная высота (по умолч. 'Ellip. Hgt.')" type="string" propid="11"/>
    </SettingsGroup>
</PluginSettings>
)xml";
}
