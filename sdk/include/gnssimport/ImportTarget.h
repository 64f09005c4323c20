// The host's import target: the event stream through which plug-ins hand
// over points, vectors and messages.
#pragma once

#include "BaseTypes.h"
#include "UnitCoverters.h"

namespace Plugin {

enum SatEvents {
    Point = 0,
    VectorOrigin = 1,
    VectorTarget = 2,
    DeltaX = 3,
    DeltaY = 4,
    DeltaZ = 5,
    SigmaX = 6,
    SigmaY = 7,
    SigmaZ = 8,
    RMS = 9,
    Factor = 10,
    Latitude = 11,
    Longitude = 12
};

// The underlying type is fixed to int (the same size and passing as before)
// so that ids outside 0..2, such as this project's own interface ids, are
// valid values of the enum rather than undefined behaviour when converted.
enum SatImportTargetInterface : int {
    IID_ISatImportTarget = 0,
    IID_ISatImportTarget2 = 1,
    IID_ISatImportTarget3 = 2,
    // This project's extension (ImportTargetCovariance.h); the vendor host
    // answers null for it.
    IID_ISatImportTargetCovariance = 0x47435631
};

// Not reference counted: the host owns it for the whole import. The
// Reserved operations hold vtable positions that plug-ins never call; hosts
// implement them as no-ops. The optional interfaces ISatImportTarget2
// (heights) and ISatImportTarget3 (charset conversion) are asked for with
// QueryInterface, which returns null when the host lacks them (no reference
// is taken): plug-ins then skip the heights and decode bytes by the
// process's locale. GetUnitConvertersFactory must never return null.
class ISatImportTarget {
public:
    virtual IUnitConvertersFactory* GetUnitConvertersFactory() = 0;
    virtual void SetCurrentFile(const wchar_t* path) = 0;
    virtual void SetCurrentLine(int line) = 0;
    virtual void Reserved4() = 0;
    virtual void ReportWarning(const wchar_t* message) = 0;
    virtual void ReportError(const wchar_t* message) = 0;
    virtual void SetProgress(float percent) = 0;
    virtual void* QueryInterface(SatImportTargetInterface id) = 0;
    virtual void Reserved9() = 0;
    virtual void Reserved10() = 0;
    virtual void SetValue(SatEvents event, double value) = 0;
    virtual void SetText(SatEvents event, const wchar_t* text) = 0;
    virtual void Reserved13() = 0;
};

class ISatImportTarget2 : public ISatImportTarget {
public:
    virtual void SetElevation(double value) = 0;
    virtual void SetEllipsoidalHeight(double value) = 0;
};

class ISatImportTarget3 : public ISatImportTarget2 {
public:
    // Decodes the bytes of data in charset; on success (0) data holds the
    // text as 4-byte wchar_t units.
    virtual int ConvertBytes(const wchar_t* service, const wchar_t* charset, IByteArray* data) = 0;
};

} // namespace Plugin
