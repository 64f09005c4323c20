// What an import produced, assembled from the event stream: files with
// their points, vectors and messages.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace host {

struct ImportedPoint {
    std::wstring name;
    std::optional<double> latitude;  // radians
    std::optional<double> longitude; // radians
    std::optional<double> elevation;
    std::optional<double> ellipsoidalHeight;
    int line = -1; // line current when the point was opened, 0-based
};

struct ImportedVector {
    std::wstring origin;
    std::wstring target;
    // DeltaX, DeltaY, DeltaZ, SigmaX, SigmaY, SigmaZ, RMS, Factor in order.
    std::optional<double> values[8];
    std::optional<std::array<double, 6>> covariance; // xx, xy, xz, yy, yz, zz in m²
    int line = -1;

    std::optional<double> dx() const { return values[0]; }
    std::optional<double> dy() const { return values[1]; }
    std::optional<double> dz() const { return values[2]; }
    std::optional<double> sigmaX() const { return values[3]; }
    std::optional<double> sigmaY() const { return values[4]; }
    std::optional<double> sigmaZ() const { return values[5]; }
    std::optional<double> rms() const { return values[6]; }
    std::optional<double> factor() const { return values[7]; }
};

struct ImportMessage {
    enum Severity { Warning, Error, HostWarning };
    Severity severity = Error;
    std::wstring text;
    int line = -1; // as last set by SetCurrentLine, -1 for none
};

// How the file's text was decoded, as the host saw it.
struct TextDecoding {
    bool validUtf8 = false; // the whole file is valid UTF-8
    bool nonAscii = false;  // and it holds bytes above 0x7F
    std::string singleByteCharset; // a single-byte charset asked for on such a valid UTF-8 file
    std::string failedCharset;     // the charset of the last line that could not be decoded
    long failedLines = 0;          // lines that could not be decoded (given as empty text)
};

// Receives each point and vector once it is complete (the next of its kind
// was opened, or the file or import ended), in the order the plug-in sent
// them, instead of the target keeping it.
class RecordSink {
public:
    virtual ~RecordSink() = default;
    virtual void point(const ImportedPoint& point) = 0;
    virtual void vector(const ImportedVector& vector) = 0;
};

struct ImportedFile {
    std::wstring path;
    std::vector<ImportedPoint> points;
    std::vector<ImportedVector> vectors;
    // Points and vectors handed to a RecordSink rather than kept above.
    std::size_t sentPoints = 0;
    std::size_t sentVectors = 0;
    std::vector<ImportMessage> messages;
    std::vector<float> progress;
    TextDecoding text;

    std::size_t pointCount() const { return points.size() + sentPoints; }
    std::size_t vectorCount() const { return vectors.size() + sentVectors; }
    bool hasErrors() const;
    // An error not tied to a line: the plug-in rejected the file as a whole
    // rather than one of its records.
    bool hasFileLevelError() const;
    std::size_t count(ImportMessage::Severity severity) const;
};

} // namespace host
