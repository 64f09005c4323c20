// Before the first known section and inside unknown ones: only headers count.
#pragma once

#include "BaseStateImpl.h"

class CInitialState : public CBaseStateImpl {
public:
    using CBaseStateImpl::CBaseStateImpl;
    void ParseLine(const std::wstring& line) override;
};
