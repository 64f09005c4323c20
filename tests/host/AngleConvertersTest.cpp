// Angle notations the host's converters accept and reject, and the
// reference counting of the factory and its converters.
#include "TestSupport.h"
#include <gnssimport/host/AngleConverters.h>

#include <gtest/gtest.h>
#include <cmath>
#include <vector>

namespace {

using Plugin::AngleConverter::Type;
using T = Plugin::AngleConverter::Type;

constexpr double kPi = 3.14159265358979323846;

double deg(double d, double m = 0, double s = 0) { return (d + m / 60 + s / 3600) * kPi / 180; }

struct Accepted {
    Type type;
    const char* text; // UTF-8
    double radians;
};

const std::vector<Accepted>& acceptedCases()
{
    static const std::vector<Accepted> cases = {
        {T::fromRadians, "0.9730", 0.9730},
        {T::fromRadians, "-1.5", -1.5},
        {T::fromRadians, "+2", 2},
        {T::fromRadians, "1.5e-3", 1.5e-3},
        {T::fromRadians, "1,25", 1.25},
        {T::fromRadians, " \t0.25\t ", 0.25},
        {T::fromRadians, "0.5 S", -0.5},
        {T::fromRadians, "w0.5", -0.5},
        {T::fromDXX, "38.170888484S", -deg(38.170888484)},
        {T::fromDXX, "144.428036090E", deg(144.428036090)},
        {T::fromDXX, "55.75", deg(55.75)},
        {T::fromDXX, "55,75", deg(55.75)},
        {T::fromDXX, "-55.75", -deg(55.75)},
        {T::fromDXX, "55.75°", deg(55.75)},
        {T::fromDXX, "n 55.75", deg(55.75)},
        {T::fromDXX, "W 0.5", -deg(0.5)},
        {T::fromGon, "200", kPi},
        {T::fromGon, "100,5", 100.5 * kPi / 200},
        {T::fromGon, "-50", -kPi / 4},
        {T::fromMil, "3200", kPi},
        {T::fromMil, "1600S", -kPi / 2},
        {T::fromDMS, "55°45'12.3456\"", deg(55, 45, 12.3456)},
        {T::fromDMS, "55° 45' 12.3456\"", deg(55, 45, 12.3456)},
        {T::fromDMS, "55°45'12.3456", deg(55, 45, 12.3456)},
        {T::fromDMS, "55°45′12.3456″", deg(55, 45, 12.3456)},
        {T::fromDMS, "55º45'12.3456''", deg(55, 45, 12.3456)},
        {T::fromDMS, "55°45'12.3456\"N", deg(55, 45, 12.3456)},
        {T::fromDMS, "S55°45'12.3456\"", -deg(55, 45, 12.3456)},
        {T::fromDMS, "55 45 12.3456", deg(55, 45, 12.3456)},
        {T::fromDMS, "55  45\t12,3456", deg(55, 45, 12.3456)},
        {T::fromDMS, "55:45:12.3456", deg(55, 45, 12.3456)},
        {T::fromDMS, "-55 45 12.3456", -deg(55, 45, 12.3456)},
        {T::fromDMS, "55 45 12.3456 W", -deg(55, 45, 12.3456)},
        {T::fromDMS, "-0 30 00", -deg(0.5)},
        // Dotted, as the Topcon plug-in hands "55 45 12.3456" on.
        {T::fromDMS, "55.45.12.3456", deg(55, 45, 12.3456)},
        {T::fromDMS, "37.36.56.789", deg(37, 36, 56.789)},
        {T::fromDMS, "55.45.12,3456", deg(55, 45, 12.3456)},
        {T::fromDMS, "55.45.12", deg(55, 45, 12)},
        {T::fromDMS, "55.45.12.3456s", -deg(55, 45, 12.3456)},
        {T::fromDMS, "55.45.12.3456.N", deg(55, 45, 12.3456)},
        {T::fromDMS, "S.55.45.12.3456", -deg(55, 45, 12.3456)},
        {T::fromDMS, "55°.45'.12.3456\".W", -deg(55, 45, 12.3456)},
        // Packed, as the LGO plug-in hands "55 45 12.3456 N" on.
        {T::fromDMS, "554512.3456", deg(55, 45, 12.3456)},
        {T::fromDMS, "1373656.789", deg(137, 36, 56.789)},
        {T::fromDMS, "51234.5", deg(5, 12, 34.5)},
        {T::fromDMS, "0051234", deg(5, 12, 34)},
        {T::fromDMS, "554512.3456S", -deg(55, 45, 12.3456)},
        // Degrees and minutes only, whole and decimal degrees.
        {T::fromDMS, "55°45'", deg(55, 45)},
        {T::fromDMS, "55 45", deg(55, 45)},
        {T::fromDMS, "55:45.5", deg(55, 45.5)},
        {T::fromDMS, "55°", deg(55)},
        {T::fromDMS, "55.75°", deg(55.75)},
        {T::fromDMS, "55", deg(55)},
        {T::fromDMS, "0°0'59.999\"", deg(0, 0, 59.999)},
        {T::fromDMX, "55 45.2057", deg(55, 45.2057)},
        {T::fromDMX, "55:45.2057", deg(55, 45.2057)},
        {T::fromDMX, "55°45.2057'", deg(55, 45.2057)},
        {T::fromDMX, "55°45,2057", deg(55, 45.2057)},
        {T::fromDMX, "-55 45.2057", -deg(55, 45.2057)},
        {T::fromDMX, "55 45.2057W", -deg(55, 45.2057)},
        {T::fromDMX, "55.75°", deg(55.75)},
        {T::fromDMX, "55", deg(55)},
    };
    return cases;
}

struct Rejected {
    Type type;
    const char* text;
};

const std::vector<Rejected>& rejectedCases()
{
    static const std::vector<Rejected> cases = {
        // Every type: no number, junk, signs and letters.
        {T::fromRadians, ""}, {T::fromRadians, "   "}, {T::fromRadians, "abc"}, {T::fromRadians, "N"},
        {T::fromRadians, "-"}, {T::fromRadians, "--5"}, {T::fromRadians, "+-5"}, {T::fromRadians, "- 5"},
        {T::fromRadians, "5x"}, {T::fromRadians, "5 5"}, {T::fromRadians, "nan"}, {T::fromRadians, "inf"},
        {T::fromRadians, "-infinity"}, {T::fromRadians, "1e999"}, {T::fromRadians, "0x10"},
        {T::fromRadians, "5."}, {T::fromRadians, ".5"}, {T::fromRadians, "1.2.3"}, {T::fromRadians, "1,2.3"},
        {T::fromRadians, "1e+"}, {T::fromRadians, "-0.5S"}, {T::fromRadians, "+0.5N"}, {T::fromRadians, "N0.5S"},
        {T::fromRadians, "0.5NN"}, {T::fromRadians, "0.5°"},
        {T::fromDXX, ""}, {T::fromDXX, "38.17Q"}, {T::fromDXX, "-38.17S"}, {T::fromDXX, "38 10"},
        {T::fromDXX, "38.17 °"}, {T::fromDXX, "NaN"}, {T::fromDXX, "38,170,888"},
        {T::fromGon, "200g"}, {T::fromGon, ""}, {T::fromMil, "3200 mil"}, {T::fromMil, "inf"},
        // fromDMS: out-of-range parts, misplaced fractions, mixed forms.
        {T::fromDMS, ""}, {T::fromDMS, "abc"}, {T::fromDMS, "55.75"}, {T::fromDMS, "55,75"},
        {T::fromDMS, "1234.5"}, {T::fromDMS, "5545"}, {T::fromDMS, "12345678"}, {T::fromDMS, "556012.0"},
        {T::fromDMS, "554560.5"}, {T::fromDMS, "55°60'00\""}, {T::fromDMS, "55°45'60\""},
        {T::fromDMS, "55 45 60"}, {T::fromDMS, "55.45.60.0"}, {T::fromDMS, "55.60.12.5"},
        {T::fromDMS, "55°-45'"}, {T::fromDMS, "55 45 12 5"}, {T::fromDMS, "55°45'12\"5"},
        {T::fromDMS, "55.5 30"}, {T::fromDMS, "55 45.5 12"}, {T::fromDMS, "55:45 12"},
        {T::fromDMS, "55°45 12"}, {T::fromDMS, "55 45' 12"}, {T::fromDMS, "1000 0 0"},
        {T::fromDMS, "55 045 12"}, {T::fromDMS, "55 45 012.5"}, {T::fromDMS, "55 45 12.3456 X"},
        {T::fromDMS, "55..45.12"}, {T::fromDMS, "55.45.12.34.56"}, {T::fromDMS, "55.45,5.12"},
        {T::fromDMS, "55.45.12.3,4"}, {T::fromDMS, "55.45.12."}, {T::fromDMS, "55'"}, {T::fromDMS, "'55"},
        {T::fromDMS, "55:"}, {T::fromDMS, "55::45"}, {T::fromDMS, "-55 45 12S"}, {T::fromDMS, "55°45'12\"\""},
        {T::fromDMS, "55°45'12.3456\"NE"}, {T::fromDMS, "nan°"},
        {T::fromDMS, "N."}, {T::fromDMS, ".55.45.12"}, {T::fromDMS, "55.45.12.3456."}, {T::fromDMS, "55. 45. 12"},
        // fromDMX: at most degrees and minutes.
        {T::fromDMX, "55 45 12"}, {T::fromDMX, "55°45'12\""}, {T::fromDMX, "55.45.12.3456"},
        {T::fromDMX, "554512.3456"}, {T::fromDMX, "55 60.0"}, {T::fromDMX, "55.75"}, {T::fromDMX, "55.5 30"},
        // A type outside the enumeration accepts nothing.
        {static_cast<Type>(7), "1"},
    };
    return cases;
}

std::string describe(Type type, const char* text)
{
    return "type " + std::to_string(static_cast<int>(type)) + " text \"" + text + "\"";
}

void checkAccepted()
{
    for (const auto& c : acceptedCases()) {
        double value = 12345;
        ASSERT_TRUE(host::parseAngle(c.type, test::W(c.text), value)) << describe(c.type, c.text);
        EXPECT_NEAR(value, c.radians, 1e-13) << describe(c.type, c.text);
    }
}

void checkRejected()
{
    for (const auto& c : rejectedCases()) {
        double value = 12345;
        EXPECT_FALSE(host::parseAngle(c.type, test::W(c.text), value)) << describe(c.type, c.text);
    }
}

TEST(AngleConverters, AcceptsEveryNotation) { checkAccepted(); }

TEST(AngleConverters, RejectsMalformedText) { checkRejected(); }

TEST(AngleConverters, SameResultsUnderCommaDecimalLocale)
{
    const char* name = test::commaDecimalLocale();
    if (!name)
        GTEST_SKIP() << "no locale with a comma decimal mark is installed";
    test::CLocaleGuard guard(name);
    ASSERT_TRUE(guard.ok());
    checkAccepted();
    checkRejected();
}

TEST(AngleConverters, FactoryAndConvertersAreReferenceCounted)
{
    Plugin::IUnitConvertersFactory* factory = host::createUnitConvertersFactory();
    ASSERT_NE(factory, nullptr);
    Plugin::IAngleConverter* dms = factory->CreateAngleConverter(T::fromDMS);
    ASSERT_NE(dms, nullptr);
    // The converter outlives the factory that made it.
    factory->AddRef();
    EXPECT_FALSE(factory->Release());
    EXPECT_TRUE(factory->Release());

    double value = 0;
    EXPECT_TRUE(dms->Convert(L"55.45.12.3456", value));
    EXPECT_NEAR(value, deg(55, 45, 12.3456), 1e-13);

    dms->AddRef();
    EXPECT_FALSE(dms->Release());
    EXPECT_TRUE(dms->Release());
}

TEST(AngleConverters, FailedConversionLeavesValueAlone)
{
    Plugin::IUnitConvertersFactory* factory = host::createUnitConvertersFactory();
    for (int type = 0; type <= 6; ++type) {
        Plugin::IAngleConverter* converter = factory->CreateAngleConverter(static_cast<Type>(type));
        ASSERT_NE(converter, nullptr) << "type " << type;
        double value = 7;
        EXPECT_FALSE(converter->Convert(nullptr, value));
        EXPECT_FALSE(converter->Convert(L"junk", value));
        EXPECT_EQ(value, 7);
        EXPECT_TRUE(converter->Release());
    }
    EXPECT_TRUE(factory->Release());
}

} // namespace
