// Member contents for tests and benchmarks: text that deflates as real text
// does, and noise that does not deflate at all. The same seed gives the same
// bytes.
#pragma once

#include <random>
#include <string>

inline std::string SampleText(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    static const char* const words[] = {"handset ", "archive ", "member ", "zip ", "vellum ", "keypad ", "\r\n"};
    std::string text;
    text.reserve(size + 16);
    while (text.size() < size)
        text += words[random() % 7];
    text.resize(size);
    return text;
}

inline std::string SampleNoise(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (auto& b : bytes)
        b = static_cast<char>(random());
    return bytes;
}
