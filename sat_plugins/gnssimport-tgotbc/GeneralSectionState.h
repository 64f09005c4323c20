// The "[General]" section: only its "Separator" key matters.
#pragma once

#include "BaseStateImpl.h"

class CGeneralSectionState : public CBaseStateImpl {
public:
    using CBaseStateImpl::CBaseStateImpl;
    void ParseLine(const std::wstring& line) override;
};
