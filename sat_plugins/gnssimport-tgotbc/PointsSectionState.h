// "[Stations]", "[Keyed In Coordinates]" and "[Observed Coordinates]": one
// point per "Station", "LLCoord" or "ObsCoord" line.
#pragma once

#include "BaseStateImpl.h"

class CPointsSectionState : public CBaseStateImpl {
public:
    using CBaseStateImpl::CBaseStateImpl;
    void ParseLine(const std::wstring& line) override;
};
