#include "TargetHelpers.h"

namespace Plugin {
namespace Utils {

boost::intrusive_ptr<IAngleConverter> hostAngleConverter(ISatImportTarget* target, AngleConverter::Type type)
{
    // The factory reference is dropped as soon as the converter exists.
    const boost::intrusive_ptr<IUnitConvertersFactory> factory(target->GetUnitConvertersFactory(), false);
    if (!factory)
        return nullptr;
    return boost::intrusive_ptr<IAngleConverter>(factory->CreateAngleConverter(type), false);
}

} // namespace Utils
} // namespace Plugin
