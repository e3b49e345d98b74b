#pragma once

// Text ids of the language table used by the parameter set's pages: messages, titles, tab
// captions and the captions of its fields.
namespace flowcfg::paramtext {

// Messages and titles.
inline constexpr int kCaution = 22;
inline constexpr int kIncorrectFile = 206;
inline constexpr int kNoAnswer = 211;  // "connection failure! The unit does not answer! "
inline constexpr int kError = 212;
inline constexpr int kFirmwareMismatch = 213;
inline constexpr int kCannotOpenPort = 217;
inline constexpr int kLoggerMismatch = 218;
inline constexpr int kFile = 223;
inline constexpr int kSettingFileType = 224;  // "Setting File|eta"
inline constexpr int kModulesPrefix = 429;    // "Input / Output :"
inline constexpr int kModulesSuffix = 430;    // "are not compatible with ..."
inline constexpr int kChanged = 376;          // " (Changed)"
inline constexpr int kTransferQuestion = 522;
inline constexpr int kDeviceConnected = 534;
inline constexpr int kSettings = 521;

// Tab captions.
inline constexpr int kTabGeneral = 249;
inline constexpr int kTabPipe = 413;
inline constexpr int kTabChords = 414;
inline constexpr int kTabLinearization = 338;
inline constexpr int kTabLogger = 511;
inline constexpr int kTabTotalizers = 518;
inline constexpr int kTabInputOutput = 201;
inline constexpr int kTabFunction = 239;
inline constexpr int kTabAdvanced = 219;

// Command buttons.
inline constexpr int kReset = 457;
inline constexpr int kDefaults = 169;

}  // namespace flowcfg::paramtext
