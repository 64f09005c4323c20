// What the tool keeps of one imported file: the plug-in that read it, the
// assembled points, vectors and messages, and the raw events when asked.
// The points and vectors are in data, or in a spool file when the import
// was spooled.
#pragma once

#include "RecordSpool.h"

#include <gnssimport/host/ImportModel.h>
#include <gnssimport/host/RecordingTarget.h>

#include <memory>
#include <string>
#include <vector>

namespace cli {

struct FileResult {
    std::wstring path;      // as given on the command line
    std::string pluginName; // descriptor name; empty when no plug-in read the file
    host::ImportedFile data;
    std::vector<host::TargetEvent> events;
    std::shared_ptr<RecordSpool> spool; // holds the records from spoolBegin to spoolEnd
    RecordSpool::Mark spoolBegin, spoolEnd;

    std::size_t pointCount() const { return data.pointCount(); }
    std::size_t vectorCount() const { return data.vectorCount(); }
    std::size_t records() const { return pointCount() + vectorCount(); }

    // The file's points, then its vectors, in the order the plug-in sent them.
    template <typename OnPoint>
    void forEachPoint(OnPoint onPoint) const
    {
        for (const auto& p : data.points)
            onPoint(p);
        if (spool)
            spool->readPoints(spoolBegin, spoolEnd, onPoint);
    }
    template <typename OnVector>
    void forEachVector(OnVector onVector) const
    {
        for (const auto& v : data.vectors)
            onVector(v);
        if (spool)
            spool->readVectors(spoolBegin, spoolEnd, onVector);
    }
};

using ImportResults = std::vector<FileResult>;

} // namespace cli
