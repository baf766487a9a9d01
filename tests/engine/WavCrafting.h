// Building WAV images byte by byte for tests, so that every field can be made wrong on purpose.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace velmora2::testing {

using Bytes = std::vector<uint8_t>;

inline void Append32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline void Append16(Bytes& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

inline uint32_t Read32(const Bytes& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// A chunk with the size its body has, or the size given.
inline Bytes Chunk(const std::string& id, const Bytes& body, int64_t size = -1) {
    Bytes b(id.begin(), id.end());
    Append32(b, size < 0 ? static_cast<uint32_t>(body.size()) : static_cast<uint32_t>(size));
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2 != 0) b.push_back(0);
    return b;
}

struct FormatFields {
    uint16_t tag = 1;
    uint16_t channels = 2;
    uint32_t rate = 48000;
    uint16_t bits = 16;
    int blockAlign = -1;  // -1: channels * bits / 8
};

inline Bytes FormatBody(const FormatFields& f) {
    const auto align =
        static_cast<uint16_t>(f.blockAlign < 0 ? f.channels * f.bits / 8 : f.blockAlign);
    Bytes b;
    Append16(b, f.tag);
    Append16(b, f.channels);
    Append32(b, f.rate);
    Append32(b, f.rate * align);
    Append16(b, align);
    Append16(b, f.bits);
    return b;
}

// "RIFF", the size of what follows (or the size given), the form, then the chunks.
inline Bytes Riff(const std::vector<Bytes>& chunks, const std::string& form = "WAVE",
                  int64_t size = -1) {
    Bytes body(form.begin(), form.end());
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes b{'R', 'I', 'F', 'F'};
    Append32(b, size < 0 ? static_cast<uint32_t>(body.size()) : static_cast<uint32_t>(size));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

inline Bytes Samples(size_t bytes, uint8_t seed = 1) {
    Bytes b(bytes);
    for (size_t i = 0; i < bytes; ++i) b[i] = static_cast<uint8_t>(seed + i * 7);
    return b;
}

// A well-formed 16-bit stereo file.
inline Bytes GoodWav(uint32_t rate = 48000, size_t dataBytes = 64) {
    return Riff({Chunk("fmt ", FormatBody({.rate = rate})), Chunk("data", Samples(dataBytes))});
}

inline Bytes ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace velmora2::testing
