// The reading-aloud protocol between a requesting program and the speech reader: messages,
// named objects, the request file and the reader's settings.
#pragma once
#include <cstddef>
#include <cstdint>

namespace vocra {

// Messages. Speak and stop go to the reader; started and status come back to the requester
// (status also carries the engine's progress to the reader).
inline constexpr unsigned kWmReaderSpeak = 0x400;
inline constexpr unsigned kWmReaderStop = 0x401;
inline constexpr unsigned kWmSpeechStarted = 0x4D98;
inline constexpr unsigned kWmSpeechStatus = 0x4D99;
inline constexpr std::uint32_t kStatusEnded = 1;
// The reader's answer to speak when it found no request to read: the requester's reading ends.
inline constexpr std::intptr_t kReaderNoRequest = 1;

// The reader's window class and title.
inline constexpr char16_t kReaderWindowName[] = u"TALVENRO_VOCRA";
// Held by the requester while a reading is under way.
inline constexpr char16_t kReadingMutex[] = u"Vocra_Reading";

inline constexpr const char* kReaderProgram = "Vocra.exe";
inline constexpr const char* kEngineLibrary = ".\\Phonavel.dll";
inline constexpr const char* kRequestFile = "Vocra.tmp";
inline constexpr const char* kCheckFile = "Vocra.dat";
// Appended to the data root for the reader's command line.
inline constexpr const char* kSpeechDataFolder = "ChTTSData\\";

// Request file (in the runtime folder, shared by requester and reader): requester window (4 bytes), repeat count (4 bytes), UTF-16 text ending in a zero.
inline constexpr std::size_t kRequestHeaderBytes = 8;
// The reader's text buffer: a leading comma and at most 65,534 bytes of text.
inline constexpr std::size_t kTextBufferUnits = 32768;
inline constexpr std::size_t kMaxTextBytes = 65534;

// The translator's voice values, read by the reader before every reading.
inline constexpr const char* kVoiceKey = "SOFTWARE\\Talvenro\\Lindqvar";
inline constexpr const char* kVolumeValue = "Vocravol";
inline constexpr const char* kPitchValue = "Vocrapit";
inline constexpr const char* kSpeedValue = "Vocraspd";
inline constexpr std::uint32_t kStartVolume = 7;
inline constexpr std::uint32_t kStartPitch = 0;
inline constexpr std::uint32_t kStartSpeed = 0;

// Engine parameter numbers.
inline constexpr unsigned kParamPitch = 2;
inline constexpr unsigned kParamVolume = 3;
inline constexpr unsigned kParamSpeed = 4;

// A requester that starts the reader looks for its window this often, this far apart.
inline constexpr int kFindAttempts = 20;
inline constexpr int kFindPauseMs = 100;

// Between two passes of a repeated reading.
inline constexpr unsigned kRepeatTimer = 101;
inline constexpr unsigned kRepeatPauseMs = 1000;

}  // namespace vocra
