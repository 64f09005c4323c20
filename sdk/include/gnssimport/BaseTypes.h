// Basic types shared by the host and the plug-ins: interface ids, reference
// counting, and the string, byte-array and enumerator interfaces.
#pragma once

namespace Plugin {

enum InterfaceID {
    IID_IPlugin = 0,
    IID_IFileImportPlugin = 1,
    IID_IGroundBasedMIP = 2,
    IID_ISatelliteMIP = 3,
    IID_IDeviceIP = 4,
    IID_IViloMIP = 5
};

// Objects are destroyed only through Release of their implementation, so
// no interface declares a destructor.
class IRefCounted {
public:
    virtual void AddRef() = 0;
    virtual bool Release() = 0;
};

// A wide string owned by one side and filled or read by the other.
class IString {
public:
    virtual const wchar_t* c_str() const = 0;
    virtual wchar_t* data() = 0;
    virtual bool empty() const = 0;
    virtual int size() const = 0;
    virtual void resize(int n) = 0;
    virtual void assign(const wchar_t* s) = 0;
};

class IByteArray {
public:
    virtual char* data() = 0;
    virtual bool empty() const = 0;
    virtual int size() const = 0;
    virtual void resize(int n) = 0;
    virtual void assign(const char* p, int n) = 0;
};

template <class T>
class IEnumerator {
public:
    virtual bool IsValid() = 0;
    virtual void MoveNext() = 0;
    virtual T Current() = 0;
    virtual void Reset() = 0;
};

} // namespace Plugin
