// The figures the pages show, read through the handset's services: memory
// and object store, storage volumes, power, and the device's own facts.
#pragma once

#include "framework/String.h"

#include "platform/HandsetHardware.h"

// Bytes, as floating-point numbers: the pages divide them into fractions and
// texts.
struct MemoryFigures {
    double storeSize = 0;
    double storeFree = 0;
    double physicalTotal = 0;
    double physicalAvailable = 0;
};

struct VolumeFigures {
    double total = 0;
    double free = 0;  // available to this program
};

struct DeviceFacts {
    String maker;
    String resolution;  // "176 X 220"
    String colours;     // "65536"
};

// The object store's and the program memory's figures.
MemoryFigures ReadMemoryFigures();

// A volume's size and free space (see VolumeOrder.h for its name); zeros
// when they cannot be read.
VolumeFigures ReadVolumeFigures(const String& volume);

// The extended power status, asking for fresh values. False (and the record
// untouched) when the platform has none.
bool ReadPowerStatus(SYSTEM_POWER_STATUS_EX2& status);

// The maker text, the screen's resolution and its number of colours.
DeviceFacts ReadDeviceFacts();

// "%u" with 2 to the power of `bitsPerPixel`, "0" from 32 bits on.
String ColourCountText(int bitsPerPixel);
