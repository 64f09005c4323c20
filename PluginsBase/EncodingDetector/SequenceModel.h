// The statistics one prober works with: how bytes of a code page map to
// letter frequency orders, and how common each pair of orders is in Russian.
#pragma once

#include "TextEncodingDetector.h"

#include <array>
#include <cstddef>

namespace TextEncodingDetector {

using CharToOrderMap = std::array<unsigned char, 256>;
using PrecedenceMatrix = std::array<unsigned char, 64 * 64>;

struct SequenceModel {
    const unsigned char* charToOrderMap;   // 256 orders, indexed by byte value
    const unsigned char* precedenceMatrix; // category of previous order * 64 + current order
    float typicalPositiveRatio;            // share of frequent pairs in typical text
    Encoding::Type encoding;
};

// Orders: 1..63 the most frequent letters (1 first), higher for rarer
// letters and Latin, 252 digits, 253 punctuation, 254 line ends, 255 control.
extern const CharToOrderMap win1251_CharToOrderMap;
extern const CharToOrderMap KOI8R_CharToOrderMap;
extern const CharToOrderMap IBM866_CharToOrderMap;
// Pair categories 0 (unseen) to 3 (frequent), shared by the three maps.
extern const PrecedenceMatrix RussianLangModel;

extern const SequenceModel Win1251Model;
extern const SequenceModel Koi8rModel;
extern const SequenceModel Ibm866Model;

// The same models with each Russian capital taking the order of its lower
// case letter, for text written in one case only.
extern const CharToOrderMap win1251_FoldedCharToOrderMap;
extern const CharToOrderMap KOI8R_FoldedCharToOrderMap;
extern const CharToOrderMap IBM866_FoldedCharToOrderMap;
extern const SequenceModel Win1251FoldedModel;
extern const SequenceModel Koi8rFoldedModel;
extern const SequenceModel Ibm866FoldedModel;

} // namespace TextEncodingDetector
