// "P" and "VPP" records line by line: what reaches the target, what is
// trimmed, how short records and missing names end.
#include "TopconTestHelpers.h"

#include <gtest/gtest.h>

namespace {

using topcon::angle;
using Events = std::vector<std::wstring>;

const std::wstring kUnknownFormat[] = {L"SetCurrentLine(-1)", L"ReportError(Неизвестный формат файла)"};

Events withUnknownFormat(Events events)
{
    events.insert(events.end(), std::begin(kUnknownFormat), std::end(kUnknownFormat));
    return events;
}

struct RecordCase {
    const char* what;
    std::string report; // UTF-8
    Events expected;
};

void checkCases(const std::vector<RecordCase>& cases, const host::RecordingTarget::Options& options = {})
{
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Events events = topcon::importBytes(c.report, options);
        EXPECT_EQ(events, c.expected);
    }
}

const Events kFullVector = {
    L"SetCurrentLine(0)",        L"SetText(VectorOrigin,\"A\")", L"SetText(VectorTarget,\"B\")",
    L"SetValue(DeltaX,0.1)",     L"SetValue(DeltaY,0.2)",       L"SetValue(DeltaZ,0.3)",
    L"SetValue(SigmaX,0.01)",    L"SetValue(SigmaY,0.02)",      L"SetValue(SigmaZ,0.02)",
    L"SetValue(RMS,0.03)",       L"SetValue(Factor,1)"};

TEST(TopconRecords, Vectors)
{
    checkCases({
        {"names trimmed, values in order", "VPP, A ,B,0.1,0.2,0.3,0.01,0.02,0.02", kFullVector},
        {"names with inner blanks, tabs trimmed, extra fields ignored",
         "VPP,  База 1  ,\tРовер 2\t,-1520.5,1187,837.25,0,0,0,fixed,x",
         {L"SetCurrentLine(0)", L"SetText(VectorOrigin,\"База 1\")", L"SetText(VectorTarget,\"Ровер 2\")",
          L"SetValue(DeltaX,-1520.5)", L"SetValue(DeltaY,1187)", L"SetValue(DeltaZ,837.25)", L"SetValue(SigmaX,0)",
          L"SetValue(SigmaY,0)", L"SetValue(SigmaZ,0)", L"SetValue(RMS,0)", L"SetValue(Factor,1)"}},
        {"empty and non-numeric values become 0",
         "VPP,A,B,,abc, 2.5,3,4,",
         {L"SetCurrentLine(0)", L"SetText(VectorOrigin,\"A\")", L"SetText(VectorTarget,\"B\")",
          L"SetValue(DeltaX,0)", L"SetValue(DeltaY,0)", L"SetValue(DeltaZ,2.5)", L"SetValue(SigmaX,3)",
          L"SetValue(SigmaY,4)", L"SetValue(SigmaZ,0)", L"SetValue(RMS,5)", L"SetValue(Factor,1)"}},
    });
}

TEST(TopconRecords, Points)
{
    const std::wstring lat = angle(55, 45, 12.3456), lon = angle(37, 36, 56.789);
    checkCases({
        {"name kept as written, height trimmed", "P, K1,55 45 12.3456,37 36 56.789, 150.5 ,ignored",
         {L"SetCurrentLine(0)", L"SetText(Point,\" K1\")", L"SetValue(Latitude," + lat + L")",
          L"SetValue(Longitude," + lon + L")", L"SetEllipsoidalHeight(150.5)"}},
        {"empty name and empty height",
         "P,,55 45 12.3456,37 36 56.789,",
         {L"SetCurrentLine(0)", L"SetText(Point,\"\")", L"SetValue(Latitude," + lat + L")",
          L"SetValue(Longitude," + lon + L")", L"SetEllipsoidalHeight(0)"}},
        {"rejected latitude leaves the name alone; the record still counts",
         "P,Пункт 7,north,37 36 56.789,150.5", {L"SetCurrentLine(0)", L"SetText(Point,\"Пункт 7\")"}},
        {"rejected longitude stops after the latitude", "P,K1,55 45 12.3456,37  36 56,150.5",
         {L"SetCurrentLine(0)", L"SetText(Point,\"K1\")", L"SetValue(Latitude," + lat + L")"}},
    });
}

TEST(TopconRecords, KeywordMustMatchExactly)
{
    checkCases({
        {"case and blanks around the keyword",
         "p,K1,55 45 12,37 36 56,1\n P,K1,55 45 12,37 36 56,1\nP ,K1,55 45 12,37 36 56,1\n"
         "vpp,A,B,1,2,3,4,5,6\nVPP ,A,B,1,2,3,4,5,6\nPP,A\n\n,P",
         withUnknownFormat({L"SetCurrentLine(0)", L"SetCurrentLine(1)", L"SetCurrentLine(2)", L"SetCurrentLine(3)",
                            L"SetCurrentLine(4)", L"SetCurrentLine(5)", L"SetCurrentLine(6)",
                            L"SetCurrentLine(7)"})},
    });
}

// A record too short for a field it reads ends silently after what it sent
// and does not count; the next line is parsed.
TEST(TopconRecords, ShortRecordsEndSilently)
{
    checkCases({
        {"vector of seven fields, then a point",
         "VPP,A,B,1,2,3,0.1\nP,K2,55 45 12,37 36 56,10",
         {L"SetCurrentLine(0)", L"SetText(VectorOrigin,\"A\")", L"SetText(VectorTarget,\"B\")",
          L"SetValue(DeltaX,1)", L"SetValue(DeltaY,2)", L"SetValue(DeltaZ,3)", L"SetCurrentLine(1)",
          L"SetText(Point,\"K2\")", L"SetValue(Latitude," + angle(55, 45, 12) + L")",
          L"SetValue(Longitude," + angle(37, 36, 56) + L")", L"SetEllipsoidalHeight(10)"}},
        {"vector of eight fields alone",
         "VPP,A,B,1,2,3,0.1,0.2",
         withUnknownFormat({L"SetCurrentLine(0)", L"SetText(VectorOrigin,\"A\")", L"SetText(VectorTarget,\"B\")",
                            L"SetValue(DeltaX,1)", L"SetValue(DeltaY,2)", L"SetValue(DeltaZ,3)"})},
        {"point without height field", "P,K1,55 45 12,37 36 56",
         withUnknownFormat({L"SetCurrentLine(0)", L"SetText(Point,\"K1\")",
                            L"SetValue(Latitude," + angle(55, 45, 12) + L")",
                            L"SetValue(Longitude," + angle(37, 36, 56) + L")"})},
        {"vector ending with its rover, which ends the line", "VPP,A,B",
         withUnknownFormat({L"SetCurrentLine(0)", L"SetText(VectorOrigin,\"A\")", L"SetText(VectorTarget,\"B\")"})},
        {"names ended by blanks, then the values after them",
         "VPP,A  ,B\t,1,2,3,0.1\nVPP,C ,D ,4,5,6",
         withUnknownFormat({L"SetCurrentLine(0)", L"SetText(VectorOrigin,\"A\")", L"SetText(VectorTarget,\"B\")",
                            L"SetValue(DeltaX,1)", L"SetValue(DeltaY,2)", L"SetValue(DeltaZ,3)", L"SetCurrentLine(1)",
                            L"SetText(VectorOrigin,\"C\")", L"SetText(VectorTarget,\"D\")", L"SetValue(DeltaX,4)",
                            L"SetValue(DeltaY,5)", L"SetValue(DeltaZ,6)"})},
        {"bare keyword and keyword with a name only", "P\nP,K1",
         withUnknownFormat({L"SetCurrentLine(0)", L"SetCurrentLine(1)", L"SetText(Point,\"K1\")"})},
    });
}

// Without ISatImportTarget2 no height is sent, so a point without height
// field is complete.
TEST(TopconRecords, NoHeightWithoutTarget2)
{
    host::RecordingTarget::Options options;
    options.offerTarget2 = false;
    checkCases({{"height present", "P,K1,55 45 12,37 36 56,150.5",
                 {L"SetCurrentLine(0)", L"SetText(Point,\"K1\")", L"SetValue(Latitude," + angle(55, 45, 12) + L")",
                  L"SetValue(Longitude," + angle(37, 36, 56) + L")"}},
                {"height field missing", "P,K1,55 45 12,37 36 56",
                 {L"SetCurrentLine(0)", L"SetText(Point,\"K1\")", L"SetValue(Latitude," + angle(55, 45, 12) + L")",
                  L"SetValue(Longitude," + angle(37, 36, 56) + L")"}}},
               options);
}

// A vector without base or rover name ends the file: earlier events stay,
// nothing after the error is parsed and no final progress follows.
TEST(TopconRecords, MissingVectorNamesEndTheFile)
{
    const std::wstring noOrigin = L"ReportError(Не задано начало вектора)";
    const std::wstring noTarget = L"ReportError(Не задан конец вектора)";
    checkCases({
        {"keyword alone", "VPP\nP,K1,55 45 12,37 36 56,1", {L"SetCurrentLine(0)", noOrigin}},
        {"blank base", "VPP, \t ,B,1,2,3,4,5,6\nP,K1,55 45 12,37 36 56,1", {L"SetCurrentLine(0)", noOrigin}},
        {"base only", "VPP,A\nP,K1,55 45 12,37 36 56,1",
         {L"SetCurrentLine(0)", L"SetText(VectorOrigin,\"A\")", noTarget}},
        {"blank rover after a good record", "VPP, A ,B,0.1,0.2,0.3,0.01,0.02,0.02\nVPP,C,  ,1,2,3,4,5,6\nVPP,A",
         [&] {
             Events e = kFullVector;
             e.insert(e.end(), {L"SetCurrentLine(1)", L"SetText(VectorOrigin,\"C\")", noTarget});
             return e;
         }()},
    });
}

TEST(TopconRecords, AngleTextsReachTheConverterWithDots)
{
    std::vector<std::wstring> texts;
    topcon::importBytes("P, K1,55 45 12.3456,37 36 56.789,150.5\nP,K2,55 45 12, 37 36 56 ,1", {}, &texts);
    // Blanks around the text are not trimmed first: the second longitude fails.
    const std::vector<std::wstring> expected = {L"55.45.12.3456", L"37.36.56.789", L"55.45.12", L".37.36.56."};
    EXPECT_EQ(texts, expected);
}

} // namespace
