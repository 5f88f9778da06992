// Deflate (RFC 1951) for PNG rows filtered with Up. Such a row is runs of one byte (zeros
// wherever it repeats the row above) with a few other bytes between them, and zlib looks at
// every byte in turn: for the text line of a label that cost more than everything else of an
// export. Here a run is found a machine word at a time and coded as copies of the byte before
// it (distance 1, what zlib's run-length strategy finds too), the other bytes as literals, each
// block with Huffman codes of its own. The Adler-32 of the data is counted a run at a time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace picture {

class Adler32 {
public:
    void AddRun(unsigned char value, std::size_t count); // count copies of value
    void AddByte(unsigned char value) {
        a_ += value;
        b_ += a_;
        ReduceIfLarge();
    }
    std::uint32_t value() const;

private:
    static constexpr std::uint64_t Modulus = 65521;
    // a below 2^32 and b below 2^62 keep every step below 2^63: the sums are reduced only then.
    void ReduceIfLarge() {
        if (a_ >= std::uint64_t{1} << 32 || b_ >= std::uint64_t{1} << 62) {
            a_ %= Modulus;
            b_ %= Modulus;
        }
    }

    std::uint64_t a_ = 1;
    std::uint64_t b_ = 0;
};

class RowDeflater {
public:
    // A block's tokens are kept until it is written: this many bound the memory for any row.
    static constexpr std::size_t BlockTokens = 1 << 14;

    // Compressed bytes are appended to out as they are made; the caller may take them away
    // between calls.
    explicit RowDeflater(std::vector<unsigned char>& out);

    void Add(const unsigned char* bytes, std::size_t length);
    // Ends the block and aligns the stream on a byte with an empty stored block, as zlib's full
    // flush does: self-contained deflate blocks (made by Align on another RowDeflater) may then
    // be appended to out, their data counted into checksum() by the caller.
    void Align();
    // Ends the stream with its last block.
    void Finish();

    Adler32& checksum() { return checksum_; }

private:
    void Literal(unsigned char value) {
        if (tokenCount_ == BlockTokens) {
            EndBlock(false);
        }
        tokens_[tokenCount_++] = value;
        ++literalCounts_[value];
    }
    void Match(unsigned length);
    static constexpr std::size_t LiteralSymbols = 286;
    void EndBlock(bool last);
    void PutHeader(bool last, const std::array<std::uint8_t, LiteralSymbols>& literalLengths);
    void PutTokens(const std::array<std::uint8_t, LiteralSymbols>& literalLengths,
                   const std::array<std::uint16_t, LiteralSymbols>& literalCodes);
    void PutBits(std::uint32_t bits, int count) {
        bits_ |= static_cast<std::uint64_t>(bits) << bitCount_;
        bitCount_ += count;
        if (bitCount_ >= 32) {
            PutWord();
        }
    }
    void PutWord();
    void PutBytes(); // the whole bytes of the bits

    std::vector<unsigned char>& out_;
    std::unique_ptr<std::uint32_t[]> tokens_; // a literal byte, or 256 + a match's length
    std::size_t tokenCount_ = 0;
    std::array<std::uint32_t, LiteralSymbols> literalCounts_{};
    std::uint64_t bits_ = 0;
    int bitCount_ = 0;
    bool aligned_ = true; // nothing added since the start or the last Align
    Adler32 checksum_;
};

} // namespace picture
