// What every prober offers: feed it bytes, then ask how sure it is.
#pragma once

#include "TextEncodingDetector.h"

#include <string>

namespace TextEncodingDetector {

namespace ProbingState {
enum Type { detecting = 0, foundIt = 1, notMe = 2 };
}

class ICharSetProber {
public:
    virtual ~ICharSetProber() = default;
    virtual Encoding::Type GetEncoding() = 0;
    virtual ProbingState::Type HandleData(const std::string& buffer) = 0;
    virtual ProbingState::Type GetState() const = 0;
    // 0.01 (surely not) to 0.99 (surely this code page).
    virtual float GetConfidence() = 0;
};

} // namespace TextEncodingDetector
