// Times the framework's String against the standard library and the C
// runtime: copying (one interlocked increment against a heap copy),
// appending, and formatting (the walked bound plus one _vsnwprintf against a
// single _snwprintf into a fixed buffer). Prints each ratio; below 1 means
// String is faster.
#include "framework/String.h"
#include "framework/testsupport/BenchTiming.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

volatile size_t sink;  // keeps the work from being optimised away

void Report(const char* name, double framework, double baseline, const char* baselineName)
{
    std::printf("%-34s String %9.1f ns   %-14s %9.1f ns   ratio %5.2f\n", name, framework, baselineName, baseline,
                framework / baseline);
}

void BenchCopy()
{
    constexpr int rounds = 1000000;
    const wchar_t* text = L"\\My Documents\\Business\\Quarterly reports\\2004\\Third quarter summary (final).txt";
    String shared(text);
    std::wstring standard(text);
    double framework = vellumate::bench::NanosecondsPerRound(rounds, [&](int) {
        String copy = shared;
        sink = sink + copy.Length();
    });
    double baseline = vellumate::bench::NanosecondsPerRound(rounds, [&](int) {
        std::wstring copy = standard;
        sink = sink + copy.size();
    });
    Report("copy an 80-character text", framework, baseline, "std::wstring");
}

void BenchAppend()
{
    constexpr int rounds = 1000;
    constexpr int pieces = 200;
    const wchar_t* piece = L"0123456789";
    double framework = vellumate::bench::NanosecondsPerRound(rounds, [&](int) {
        String text;
        for (int i = 0; i < pieces; ++i)
            text += piece;
        sink = sink + text.Length();
    });
    double reserved = vellumate::bench::NanosecondsPerRound(rounds, [&](int) {
        String text;
        text.Reserve(pieces * 10);
        for (int i = 0; i < pieces; ++i)
            text += piece;
        sink = sink + text.Length();
    });
    double baseline = vellumate::bench::NanosecondsPerRound(rounds, [&](int) {
        std::wstring text;
        for (int i = 0; i < pieces; ++i)
            text += piece;
        sink = sink + text.size();
    });
    Report("append 200 x 10 characters", framework, baseline, "std::wstring");
    Report("  the same after Reserve", reserved, baseline, "std::wstring");
}

void BenchFormat()
{
    constexpr int rounds = 100000;
    const wchar_t* format = L"%s: %d files, %I64u bytes (%.1f%%)";
    String name(L"Storage Card");
    double framework = vellumate::bench::NanosecondsPerRound(rounds, [&](int i) {
        String text;
        text.FormatText(format, name, i, 1234567890123ULL, 42.5);
        sink = sink + text.Length();
    });
    double baseline = vellumate::bench::NanosecondsPerRound(rounds, [&](int i) {
        wchar_t buffer[256];
        int length = _snwprintf(buffer, 256, format, name.Chars(), i, 1234567890123ULL, 42.5);
        sink = sink + static_cast<size_t>(length);
    });
    Report("format a size line", framework, baseline, "_snwprintf");
}

}  // namespace

int wmain()
{
    BenchCopy();
    BenchAppend();
    BenchFormat();
    return 0;
}
