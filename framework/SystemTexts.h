// The texts of the panels that show the device's facts (the task manager's
// system panel, the file manager's device information), from the figures the
// platform reports: the processor and system names, the version, the
// batteries, the storage volumes measured and which of them two volume groups
// show.
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The name of a processor type number; `unknown` for any other.
String ProcessorName(DWORD processorType, const String& unknown);

// The name of a version record's platform id (1 tells 95 from 98 by the
// minor version); `unknown` for any other.
String SystemName(DWORD platformId, DWORD minorVersion, const String& unknown);

// "4.20": the major version, a point and the minor version as two digits
// (a minor version below 10 counts tens: 4.2 reads 4.20).
String VersionNumberText(DWORD major, DWORD minor);

// The six battery state names of their resource text ("High|Low|..."), each
// trimmed, in the order of the flags 1, 2, 4, 8, 128 and 255, and a seventh
// for flag 0 (a charge between low and high), which the caller sets
// (MediumBatteryState). Missing names are empty.
using BatteryStateNames = std::array<String, 7>;
inline constexpr int MediumBatteryState = 6;
BatteryStateNames SplitBatteryStates(const String& names);

// The name of a battery flag. A combination of flags (high and charging,
// 9) is named by its charging bit first, then by its level; flag 0 by the
// seventh name (the unknown one when that is empty).
const String& BatteryStateName(BYTE flag, const BatteryStateNames& names);

// The state name and, unless there is no battery or its state is unknown,
// " (NN%)" with the percentage; a percentage the platform does not know (more
// than 100) is left out.
String BatteryText(BYTE flag, BYTE percent, const BatteryStateNames& names);

// The sizes of one storage volume.
struct VolumeSizes {
    String name;
    std::uint64_t total = 0;
    std::uint64_t free = 0;  // available to the caller
    // Total minus free; 0 when the volume reports more free than total.
    std::uint64_t Used() const noexcept { return free < total ? total - free : 0; }
};

// Whether a volume of this name and total size is measured at all: not the
// "Release" folder, nor one of size 0.
bool IsShownVolume(const String& name, std::uint64_t total) noexcept;

// The main volume's name: the folder above the personal folder, its last
// component ("" when the personal folder lies in the root).
String MainVolumeName(const String& personalFolder);

// The volumes the storage-card enumeration names, each measured through the
// free-space query; those that are not shown (IsShownVolume) or cannot be
// measured are left out.
std::vector<VolumeSizes> MeasureVolumes();

// The index of the last volume whose name begins, without regard to case,
// with the main volume's name (an empty name begins every name); nothing
// when none does.
std::optional<std::size_t> LastMatchingVolume(const std::vector<VolumeSizes>& volumes, const String& mainVolume);

// Which volumes the two groups show (indexes into `volumes`), each nothing
// when its group keeps its texts. With one volume the first group shows it.
// With more, when a later volume's name begins with the main volume's name,
// the first group shows the last volume and the second the first one;
// otherwise the first group shows the first and the second the last.
struct VolumeGroups {
    std::optional<std::size_t> first;
    std::optional<std::size_t> second;
    bool secondUnknown = false;  // only one volume: the second group says so
};
VolumeGroups ChooseVolumeGroups(const std::vector<VolumeSizes>& volumes, const String& mainVolume);
// The same with one volume or none. With more, the first group shows the
// matching volume itself (LastMatchingVolume) and the second the first
// volume, even when that is the matching one; when none matches, the first
// group shows the first volume and the second the last.
VolumeGroups ChooseMatchingVolumeFirst(const std::vector<VolumeSizes>& volumes, const String& mainVolume);
