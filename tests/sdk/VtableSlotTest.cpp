// The table position of every operation the vendor host and the plug-ins
// call through, written down here rather than taken from the headers: a
// reordered, inserted or removed virtual function fails it. The position is
// read from the Itanium C++ ABI's member-function pointer: for a virtual
// function its first word is 1 + the byte offset of the slot in the table.
// Listing the signature with each operation pins its parameter types too.
#include <gnssimport/ImportTargetCovariance.h>
#include <gnssimport/Plugin.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#if defined(__x86_64__) && defined(__GXX_ABI_VERSION)

namespace {

using namespace Plugin;

struct SlotCase {
    std::string operation;
    std::ptrdiff_t words[2]; // the member-function pointer as stored
    long expectedSlot;       // 0-based position in the interface's table
};

template <class Interface, class Signature>
SlotCase slotCase(const char* operation, Signature Interface::*member, long expectedSlot)
{
    static_assert(sizeof(member) == 2 * sizeof(std::ptrdiff_t), "Itanium member-function pointer");
    SlotCase c{operation, {0, 0}, expectedSlot};
    std::memcpy(c.words, &member, sizeof member);
    return c;
}

#define SLOT(I, Op, Sig, n) slotCase<I, Sig>(#I "::" #Op, &I::Op, n)

using Enumerator = IEnumerator<const wchar_t*>;

const std::vector<SlotCase>& slotCases()
{
    static const std::vector<SlotCase> cases = {
        SLOT(IRefCounted, AddRef, void(), 0),
        SLOT(IRefCounted, Release, bool(), 1),
        SLOT(IPlugin2, AddRef, void(), 0),
        SLOT(IPlugin2, Release, bool(), 1),
        SLOT(IPlugin2, QueryInterface, void*(InterfaceID), 2),
        SLOT(IPlugin2, GetPluginInfo, int(wchar_t*, int) const, 3),
        SLOT(IPlugin2, LoadSettings, void(ISettings*), 4),
        SLOT(IPlugin2, SaveSettings, void(ISettings*) const, 5),
        SLOT(IPlugin2, GetPropertyListViewController, IPropertyListViewController*(), 6),
        SLOT(ISatelliteMIP, DoImport, void(Enumerator*, ISatImportTarget*), 7),

        SLOT(IString, c_str, const wchar_t*() const, 0),
        SLOT(IString, data, wchar_t*(), 1),
        SLOT(IString, empty, bool() const, 2),
        SLOT(IString, size, int() const, 3),
        SLOT(IString, resize, void(int), 4),
        SLOT(IString, assign, void(const wchar_t*), 5),
        SLOT(IByteArray, data, char*(), 0),
        SLOT(IByteArray, empty, bool() const, 1),
        SLOT(IByteArray, size, int() const, 2),
        SLOT(IByteArray, resize, void(int), 3),
        SLOT(IByteArray, assign, void(const char*, int), 4),
        SLOT(Enumerator, IsValid, bool(), 0),
        SLOT(Enumerator, MoveNext, void(), 1),
        SLOT(Enumerator, Current, const wchar_t*(), 2),
        SLOT(Enumerator, Reset, void(), 3),

        SLOT(ISatImportTarget, GetUnitConvertersFactory, IUnitConvertersFactory*(), 0),
        SLOT(ISatImportTarget, SetCurrentFile, void(const wchar_t*), 1),
        SLOT(ISatImportTarget, SetCurrentLine, void(int), 2),
        SLOT(ISatImportTarget, Reserved4, void(), 3),
        SLOT(ISatImportTarget, ReportWarning, void(const wchar_t*), 4),
        SLOT(ISatImportTarget, ReportError, void(const wchar_t*), 5),
        SLOT(ISatImportTarget, SetProgress, void(float), 6),
        SLOT(ISatImportTarget, QueryInterface, void*(SatImportTargetInterface), 7),
        SLOT(ISatImportTarget, Reserved9, void(), 8),
        SLOT(ISatImportTarget, Reserved10, void(), 9),
        SLOT(ISatImportTarget, SetValue, void(SatEvents, double), 10),
        SLOT(ISatImportTarget, SetText, void(SatEvents, const wchar_t*), 11),
        SLOT(ISatImportTarget, Reserved13, void(), 12),
        SLOT(ISatImportTarget2, SetElevation, void(double), 13),
        SLOT(ISatImportTarget2, SetEllipsoidalHeight, void(double), 14),
        SLOT(ISatImportTarget3, ConvertBytes, int(const wchar_t*, const wchar_t*, IByteArray*), 15),
        SLOT(ISatImportTargetCovariance, SetCovariance, void(double, double, double, double, double, double), 0),

        SLOT(IUnitConvertersFactory, CreateAngleConverter, IAngleConverter*(AngleConverter::Type), 2),
        SLOT(IAngleConverter, Convert, bool(const wchar_t*, double&), 2),

        SLOT(ISettings, ReadString, bool(const wchar_t*, IString*, const wchar_t*), 0),
        SLOT(ISettings, Reserved2, void(), 1),
        SLOT(ISettings, Reserved3, void(), 2),
        SLOT(ISettings, WriteString, bool(const wchar_t*, IString*), 3),

        SLOT(IPropertyListView, Reserved1, void(), 0),
        SLOT(IPropertyListView, Reserved2, void(), 1),
        SLOT(IPropertyListView, Reserved3, void(), 2),
        SLOT(IPropertyListView, Reserved4, void(), 3),
        SLOT(IPropertyListView, GetPropertyValue, void(int, IString*), 4),
        SLOT(IPropertyListView, Reserved6, void(), 5),
        SLOT(IPropertyListView, Reserved7, void(), 6),
        SLOT(IPropertyListView, Reserved8, void(), 7),
        SLOT(IPropertyListView, Reserved9, void(), 8),
        SLOT(IPropertyListView, Reserved10, void(), 9),
        SLOT(IPropertyListView, Reserved11, void(), 10),
        SLOT(IPropertyListView, LoadFromXml, void(const wchar_t*), 11),
        SLOT(IPropertyListView, Reserved13, void(), 12),
        SLOT(IPropertyListView, Reserved14, void(), 13),
        SLOT(IPropertyListView, SetPropertyValue, void(int, const wchar_t*), 14),
        SLOT(IPropertyListViewController, OnPropertyListViewInit, void(IPropertyListView*), 0),
        SLOT(IPropertyListViewController, OnNewPropertyValueValidate, bool(int), 1),
        SLOT(IPropertyListViewController, OnAllPropertiesValidate, bool(), 2),
        SLOT(IPropertyListViewController, OnPropertyListViewOK, void(), 3),
        SLOT(IPropertyListViewController, OnPropertyListViewCancel, void(), 4),
    };
    return cases;
}

TEST(VtableSlots, EveryOperationSitsWhereTheVendorHostCallsIt)
{
    for (const auto& c : slotCases()) {
        const std::ptrdiff_t ptr = c.words[0];
        EXPECT_EQ(ptr % 2, 1) << c.operation << " is not virtual";
        EXPECT_EQ(c.words[1], 0) << c.operation << " needs a this adjustment";
        EXPECT_EQ((ptr - 1) / static_cast<std::ptrdiff_t>(sizeof(void*)), c.expectedSlot) << c.operation;
    }
}

// Interfaces hold nothing but their table pointer, so a plug-in's object
// and the host's agree on where each interface part begins.
TEST(VtableSlots, InterfacesCarryNoData)
{
    EXPECT_EQ(sizeof(ISatelliteMIP), sizeof(void*));
    EXPECT_EQ(sizeof(ISatImportTarget3), sizeof(void*));
    EXPECT_EQ(sizeof(IPropertyListView), sizeof(void*));
    EXPECT_EQ(sizeof(IPropertyListViewController), sizeof(void*));
    EXPECT_EQ(sizeof(ISettings), sizeof(void*));
}

} // namespace

#endif
