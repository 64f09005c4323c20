// What the section states call on the parser that owns them.
#pragma once

#include "CommonHelpers/Covariance.h"

#include <string>

class IParser {
public:
    virtual ~IParser() = default;

    virtual void SwitchToState_GeneralSection() = 0;
    virtual void SwitchToState_StationsSection() = 0;
    virtual void SwitchToState_KeyedInCoordsSection() = 0;
    virtual void SwitchToState_ObservedCoordsSection() = 0;
    virtual void SwitchToState_GpsSection() = 0;
    virtual void SwitchToState_Initial() = 0;

    // False when the host's decimal-degrees converter rejects s.
    virtual bool ConvertAngleFromDXX(const std::wstring& s, double& result) = 0;
    // Returns true when the point was sent, false for a name already sent.
    virtual bool AddPoint(const std::wstring& pointName, double latitude, double longitude) = 0;
    // Heights of the point sent last.
    virtual void SetPointElevH(double elev, double H) = 0;
    virtual void AddVector(const std::wstring& vectorOrigin, const std::wstring& vectorTarget, double dx, double dy,
                           double dz, double sigmaX, double sigmaY, double sigmaZ, double rms, double factor) = 0;
    // Full covariance of the vector sent last (xx, xy, xz, yy, yz, zz).
    virtual void SetVectorCovariance(const Plugin::Utils::Covariance& covariance) = 0;
    virtual void SetTokenSeparator(const std::wstring& tokenSeparator) = 0;
    virtual std::wstring GetTokenSeparator() = 0;
};
