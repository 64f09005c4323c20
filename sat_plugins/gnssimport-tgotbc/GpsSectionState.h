// The "[GPS]" section: one baseline per "Vector" line.
#pragma once

#include "BaseStateImpl.h"

class CGpsSectionState : public CBaseStateImpl {
public:
    using CBaseStateImpl::CBaseStateImpl;
    void ParseLine(const std::wstring& line) override;
};
