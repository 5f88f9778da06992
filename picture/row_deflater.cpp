#include "picture/row_deflater.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace picture {

namespace {

constexpr unsigned MinMatch = 3;
constexpr unsigned MaxMatch = 258;
constexpr std::uint32_t MatchToken = 256;
constexpr int EndOfBlock = 256;
constexpr int FirstLengthSymbol = 257;

constexpr std::array<unsigned, 29> LengthBase{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                              15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                              67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> LengthExtraBits{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};

// The length code (0..28) of every match length.
constexpr std::array<std::uint8_t, MaxMatch + 1> LengthCodes = [] {
    std::array<std::uint8_t, MaxMatch + 1> codes{};
    for (std::size_t code = 0; code + 1 < LengthBase.size(); ++code) {
        for (unsigned length = LengthBase[code]; length < LengthBase[code + 1]; ++length) {
            codes[length] = static_cast<std::uint8_t>(code);
        }
    }
    codes[MaxMatch] = static_cast<std::uint8_t>(LengthBase.size() - 1);
    return codes;
}();

// The order in which a dynamic block's header gives the lengths of the code-length code.
constexpr std::array<std::uint8_t, 19> CodeLengthOrder{16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                       11, 4,  12, 3, 13, 2, 14, 1, 15};

// The depth of every leaf of a plain Huffman tree over the counts, leaves in the order of
// symbols (the symbols with a count, lightest first).
template <std::size_t N>
std::vector<int> LeafDepths(const std::array<std::uint32_t, N>& counts,
                            const std::vector<std::size_t>& symbols) {
    // The symbols in order of their counts, then the tree's inner nodes in the order they are
    // made, which is also the order of their weights: the two lightest nodes are always at the
    // front of one of the two lists, and every node comes before its parent.
    struct Node {
        std::uint64_t weight;
        std::size_t parent;
    };
    const std::size_t leaves = symbols.size();
    std::vector<Node> nodes;
    nodes.reserve(2 * leaves - 1);
    for (const std::size_t symbol : symbols) {
        nodes.push_back({counts[symbol], 0});
    }
    std::size_t nextLeaf = 0;
    std::size_t nextInner = leaves;
    auto lightest = [&] {
        const bool leaf = nextLeaf < leaves && (nextInner == nodes.size() ||
                                                nodes[nextLeaf].weight <= nodes[nextInner].weight);
        return leaf ? nextLeaf++ : nextInner++;
    };
    while (nodes.size() < 2 * leaves - 1) {
        const std::size_t first = lightest();
        const std::size_t second = lightest();
        nodes[first].parent = nodes[second].parent = nodes.size();
        nodes.push_back({nodes[first].weight + nodes[second].weight, 0});
    }
    std::vector<int> depth(nodes.size(), 0);
    for (std::size_t node = nodes.size() - 1; node-- > 0;) {
        depth[node] = depth[nodes[node].parent] + 1;
    }
    depth.resize(leaves);
    return depth;
}

// Huffman code lengths for the counts, none longer than limit: a plain Huffman tree, built again
// from flattened counts while it is too deep. At least two symbols get a code, since some
// inflaters refuse a code of one.
template <std::size_t N>
std::array<std::uint8_t, N> CodeLengths(std::array<std::uint32_t, N> counts, int limit) {
    auto used = std::count_if(counts.begin(), counts.end(), [](std::uint32_t c) { return c > 0; });
    for (std::size_t symbol = 0; used < 2; ++symbol) {
        if (counts[symbol] == 0) {
            counts[symbol] = 1;
            ++used;
        }
    }
    for (;;) {
        std::vector<std::size_t> symbols;
        for (std::size_t symbol = 0; symbol < N; ++symbol) {
            if (counts[symbol] > 0) {
                symbols.push_back(symbol);
            }
        }
        std::sort(symbols.begin(), symbols.end(), [&](std::size_t a, std::size_t b) {
            return counts[a] != counts[b] ? counts[a] < counts[b] : a < b;
        });
        const std::vector<int> depth = LeafDepths(counts, symbols);
        std::array<std::uint8_t, N> lengths{};
        for (std::size_t leaf = 0; leaf < symbols.size(); ++leaf) {
            lengths[symbols[leaf]] = static_cast<std::uint8_t>(depth[leaf]);
        }
        if (*std::max_element(depth.begin(), depth.end()) <= limit) {
            return lengths;
        }
        for (std::uint32_t& count : counts) {
            count = (count + 1) / 2;
        }
    }
}

// The canonical codes of the lengths, bit-reversed: deflate sends a code's first bit first.
template <std::size_t N>
std::array<std::uint16_t, N> Codes(const std::array<std::uint8_t, N>& lengths) {
    std::array<int, 16> perLength{};
    for (const std::uint8_t length : lengths) {
        ++perLength[length];
    }
    perLength[0] = 0;
    std::array<unsigned, 16> next{};
    unsigned code = 0;
    for (std::size_t bits = 1; bits < next.size(); ++bits) {
        code = (code + static_cast<unsigned>(perLength[bits - 1])) << 1;
        next[bits] = code;
    }
    std::array<std::uint16_t, N> codes{};
    for (std::size_t symbol = 0; symbol < N; ++symbol) {
        const int length = lengths[symbol];
        if (length == 0) {
            continue;
        }
        const unsigned canonical = next[static_cast<std::size_t>(length)]++;
        unsigned reversed = 0;
        for (int bit = 0; bit < length; ++bit) {
            reversed |= ((canonical >> bit) & 1u) << (length - 1 - bit);
        }
        codes[symbol] = static_cast<std::uint16_t>(reversed);
    }
    return codes;
}

// How many bytes from the first are equal to it, compared a word at a time.
std::size_t RunLength(const unsigned char* bytes, std::size_t length) {
    const std::uint64_t pattern = 0x0101010101010101ULL * bytes[0];
    std::size_t run = 1;
    for (; run + 8 <= length; run += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + run, sizeof word);
        if (const std::uint64_t differ = word ^ pattern; differ != 0) {
            const int equalBits = std::endian::native == std::endian::little
                                      ? std::countr_zero(differ)
                                      : std::countl_zero(differ);
            return run + static_cast<std::size_t>(equalBits / 8);
        }
    }
    while (run < length && bytes[run] == bytes[0]) {
        ++run;
    }
    return run;
}

// Every match copies the byte before it: distance 1 is distance code 0. Code 1 is unused but
// given a length too, so that the distance code is complete.
constexpr std::uint32_t DistanceOneCode = 0;
constexpr int DistanceCodes = 2;

// A dynamic block's code lengths run-length coded (16: repeat the last 3-6 times, 17: 3-10 zeros,
// 18: 11-138 zeros): each symbol with its extra bits' value, and how often each symbol is used.
struct CodedLengths {
    std::vector<std::pair<std::uint8_t, std::uint8_t>> coded;
    std::array<std::uint32_t, 19> counts{};
};

CodedLengths RunLengthCoded(const std::vector<std::uint8_t>& lengths) {
    CodedLengths result;
    auto put = [&](std::uint8_t symbol, std::size_t extra) {
        result.coded.emplace_back(symbol, static_cast<std::uint8_t>(extra));
        ++result.counts[symbol];
    };
    for (std::size_t i = 0; i < lengths.size();) {
        const std::uint8_t length = lengths[i];
        std::size_t run = 1;
        while (i + run < lengths.size() && lengths[i + run] == length) {
            ++run;
        }
        i += run;
        if (length == 0) {
            for (; run >= 11; run -= std::min<std::size_t>(run, 138)) {
                put(18, std::min<std::size_t>(run, 138) - 11);
            }
            if (run >= 3) {
                put(17, run - 3);
                run = 0;
            }
        } else {
            put(length, 0);
            --run;
            for (; run >= 3; run -= std::min<std::size_t>(run, 6)) {
                put(16, std::min<std::size_t>(run, 6) - 3);
            }
        }
        for (; run > 0; --run) {
            put(length, 0);
        }
    }
    return result;
}

} // namespace

void Adler32::AddRun(unsigned char value, std::size_t count) {
    // After k more bytes v, a has grown by k v and b by the k new values of a.
    while (count > 0) {
        const std::uint64_t k = std::min<std::size_t>(count, std::size_t{1} << 20);
        b_ += k * a_ + value * (k * (k + 1) / 2);
        a_ += k * value;
        ReduceIfLarge();
        count -= k;
    }
}

std::uint32_t Adler32::value() const {
    return static_cast<std::uint32_t>((b_ % Modulus) << 16 | (a_ % Modulus));
}

RowDeflater::RowDeflater(std::vector<unsigned char>& out)
    : out_(out), tokens_(std::make_unique_for_overwrite<std::uint32_t[]>(BlockTokens)) {}

void RowDeflater::Add(const unsigned char* bytes, std::size_t length) {
    aligned_ = aligned_ && length == 0;
    while (length > 0) {
        if (length == 1 || bytes[1] != bytes[0]) { // most bytes of a text line
            checksum_.AddByte(bytes[0]);
            Literal(bytes[0]);
            ++bytes;
            --length;
            continue;
        }
        const std::size_t run = RunLength(bytes, length);
        checksum_.AddRun(bytes[0], run);
        Literal(bytes[0]);
        std::size_t copies = run - 1;
        for (; copies >= MinMatch; copies -= std::min<std::size_t>(copies, MaxMatch)) {
            Match(static_cast<unsigned>(std::min<std::size_t>(copies, MaxMatch)));
        }
        for (; copies > 0; --copies) {
            Literal(bytes[0]);
        }
        bytes += run;
        length -= run;
    }
}

void RowDeflater::Align() {
    if (aligned_) {
        return;
    }
    if (tokenCount_ > 0) {
        EndBlock(false);
    }
    PutBits(0, 3); // a stored block, not the last, of no bytes
    PutBits(0, (8 - bitCount_ % 8) % 8);
    PutBits(0, 16);
    PutBits(0xffff, 16);
    PutBytes();
    aligned_ = true;
}

void RowDeflater::Finish() {
    EndBlock(true);
    PutBits(0, (8 - bitCount_ % 8) % 8);
    PutBytes();
}

void RowDeflater::Match(unsigned length) {
    if (tokenCount_ == BlockTokens) {
        EndBlock(false);
    }
    tokens_[tokenCount_++] = MatchToken + length;
    ++literalCounts_[static_cast<std::size_t>(FirstLengthSymbol + LengthCodes[length])];
}

void RowDeflater::EndBlock(bool last) {
    literalCounts_[EndOfBlock] = 1;
    const auto literalLengths = CodeLengths(literalCounts_, 15);
    const auto literalCodes = Codes(literalLengths);
    PutHeader(last, literalLengths);
    PutTokens(literalLengths, literalCodes);
    PutBits(literalCodes[EndOfBlock], literalLengths[EndOfBlock]);
    tokenCount_ = 0;
    literalCounts_.fill(0);
}

void RowDeflater::PutHeader(bool last,
                            const std::array<std::uint8_t, LiteralSymbols>& literalLengths) {
    // The code lengths of both codes, run-length coded, in a Huffman code of their own.
    int literalCount = static_cast<int>(literalLengths.size());
    while (literalLengths[static_cast<std::size_t>(literalCount - 1)] == 0) {
        --literalCount;
    }
    std::vector<std::uint8_t> lengths(literalLengths.begin(),
                                      literalLengths.begin() + literalCount);
    lengths.insert(lengths.end(), DistanceCodes, 1);
    const CodedLengths coded = RunLengthCoded(lengths);
    const auto codeLengthLengths = CodeLengths(coded.counts, 7);
    const auto codeLengthCodes = Codes(codeLengthLengths);
    int codeLengthCount = static_cast<int>(CodeLengthOrder.size());
    while (codeLengthCount > 4 && codeLengthLengths[CodeLengthOrder[codeLengthCount - 1]] == 0) {
        --codeLengthCount;
    }

    PutBits(last ? 1 : 0, 1);
    PutBits(2, 2); // dynamic Huffman codes
    PutBits(static_cast<std::uint32_t>(literalCount - FirstLengthSymbol), 5);
    PutBits(DistanceCodes - 1, 5);
    PutBits(static_cast<std::uint32_t>(codeLengthCount - 4), 4);
    for (int i = 0; i < codeLengthCount; ++i) {
        PutBits(codeLengthLengths[CodeLengthOrder[static_cast<std::size_t>(i)]], 3);
    }
    for (const auto& [symbol, extra] : coded.coded) {
        PutBits(codeLengthCodes[symbol], codeLengthLengths[symbol]);
        if (symbol >= 16) {
            PutBits(extra, symbol == 16 ? 2 : symbol == 17 ? 3 : 7);
        }
    }
}

void RowDeflater::PutTokens(const std::array<std::uint8_t, LiteralSymbols>& literalLengths,
                            const std::array<std::uint16_t, LiteralSymbols>& literalCodes) {
    // Every token's bits at once, so that writing the tokens takes no branch: a literal's code,
    // or a length's code, its extra bits and the one bit of distance 1.
    std::array<std::uint32_t, MatchToken + MaxMatch + 1> tokenBits{};
    std::array<std::uint8_t, MatchToken + MaxMatch + 1> tokenBitCounts{};
    for (std::uint32_t literal = 0; literal < MatchToken; ++literal) {
        tokenBits[literal] = literalCodes[literal];
        tokenBitCounts[literal] = literalLengths[literal];
    }
    for (unsigned length = MinMatch; length <= MaxMatch; ++length) {
        const std::size_t code = LengthCodes[length];
        const std::size_t symbol = FirstLengthSymbol + code;
        const int codeLength = literalLengths[symbol];
        tokenBits[MatchToken + length] = literalCodes[symbol] |
                                         (length - LengthBase[code]) << codeLength |
                                         DistanceOneCode << (codeLength + LengthExtraBits[code]);
        tokenBitCounts[MatchToken + length] =
            static_cast<std::uint8_t>(codeLength + LengthExtraBits[code] + 1);
    }
    // Written straight into out, with the bits in a register: at most 21 bits a token.
    const std::size_t written = out_.size();
    out_.resize(written + 3 * tokenCount_ + 4);
    unsigned char* next = out_.data() + written;
    std::uint64_t bits = bits_;
    int bitCount = bitCount_;
    for (std::size_t i = 0; i < tokenCount_; ++i) {
        const std::uint32_t token = tokens_[i];
        bits |= static_cast<std::uint64_t>(tokenBits[token]) << bitCount;
        bitCount += tokenBitCounts[token];
        if (bitCount >= 32) {
            for (int byte = 0; byte < 4; ++byte) {
                *next++ = static_cast<unsigned char>(bits >> (8 * byte));
            }
            bits >>= 32;
            bitCount -= 32;
        }
    }
    out_.resize(static_cast<std::size_t>(next - out_.data()));
    bits_ = bits;
    bitCount_ = bitCount;
}

void RowDeflater::PutWord() {
    const std::array<unsigned char, 4> bytes{
        static_cast<unsigned char>(bits_), static_cast<unsigned char>(bits_ >> 8),
        static_cast<unsigned char>(bits_ >> 16), static_cast<unsigned char>(bits_ >> 24)};
    out_.insert(out_.end(), bytes.begin(), bytes.end());
    bits_ >>= 32;
    bitCount_ -= 32;
}

void RowDeflater::PutBytes() {
    while (bitCount_ >= 8) {
        out_.push_back(static_cast<unsigned char>(bits_));
        bits_ >>= 8;
        bitCount_ -= 8;
    }
}

} // namespace picture
