// Sound slots: scripts load WAVE files into 24 numbered slots, filled in order, and play them
// once or looping. Each slot is one static buffer holding the whole sound. Without a sound
// device the game runs silent and every sound operation quietly does nothing.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/types.h"
#include "shell/limits.h"

// The sound device; null when none could be had.
extern platform::DirectSound* SoundDevice;
// One buffer per slot, null when empty; slots 0 to SoundCount - 1 have been handed out (a slot
// whose load failed stays empty).
extern std::array<platform::SoundBuffer*, SoundSlotCount> SoundSlots;
extern int CurrentSound;     // the slot loaded last
extern int SoundCount;       // slots in use
extern int LastPlayedSound;  // the slot played last
// The file each slot was loaded from, to fill a lost buffer again.
extern std::array<std::string, SoundSlotCount> SoundFileNames;

// Start-up: the device (if any) and empty slots. Always 1.
int InitSound(platform::Hwnd window);
// 1 when SoundDevice exists afterwards; no message on failure.
int CreateSoundDevice(platform::Hwnd window);
void ReleaseSoundDevice();

// Loads a WAVE file into the next slot: the slot, or -1 (with a message). A load that fails
// still takes its slot, left empty.
int LoadSound(const std::string& fileName);
// Plays a slot from its beginning, once or (loop non-zero) looping: 1 when playing.
int PlaySound(int slot, int loop);
// Stops a playing slot: 1 when stopped.
int StopSound(int slot);
// Empties the slots from `first` on; they are handed out again from there. Always 1.
int FreeSounds(int first);
void ReleaseSound(int slot);

// WAVE files. The file image holds the whole file; `data` points into it.
platform::SoundBuffer* CreateBufferFromWaveFile(platform::DirectSound* device,
                                                const std::string& fileName);
int ReloadBufferFromWaveFile(platform::SoundBuffer* buffer, const std::string& fileName);
int ReadWaveFile(const std::string& fileName, std::vector<uint8_t>& image,
                 platform::WaveFormat* format, const uint8_t** data, uint32_t* size);
int ParseWaveData(const std::vector<uint8_t>& image, platform::WaveFormat* format,
                  const uint8_t** data, uint32_t* size);
int FillSoundBuffer(platform::SoundBuffer* buffer, const uint8_t* data, uint32_t size);
