// Texts the scene animation shows or prints.
#pragma once

// GIF texture reader: fatal errors and warnings, printed on the standard error stream.
inline constexpr const char* kGifErrorMagic = "error reading magic number";
inline constexpr const char* kGifErrorNotGif = "not a GIF file";
inline constexpr const char* kGifErrorVersion = "bad version number, not '87a' or '89a'";
inline constexpr const char* kGifErrorScreen = "failed to read screen descriptor";
inline constexpr const char* kGifErrorColourMap = "bad colormap";
inline constexpr const char* kGifErrorImageData = "EOF / read error on image data";
inline constexpr const char* kGifErrorExtensionCode = "OF / read error on extention function code";
inline constexpr const char* kGifErrorImageDescriptor = "couldn't read left/top/width/height";
inline constexpr const char* kGifErrorImageCount = "only %d image%s found in file";
inline constexpr const char* kGifErrorCircular = "circular table entry BIG ERROR";
inline constexpr const char* kGifErrorOutOfBits = "ran off the end of my bits";
inline constexpr const char* kGifErrorCodeSize = "bad LZW minimum code size %d";
inline constexpr const char* kGifErrorTooLarge = "image too large: %d by %d";
// A fatal fault as the player sees it (caption "Error"): the file's name, then the text above.
inline constexpr const char* kMsgGifFault = "%s: %s";
inline constexpr const char* kGifWarningBogus = "bogus character 0x%02x, ignoring";
inline constexpr const char* kGifWarningBlockSize = "error in getting DataBlock size";
inline constexpr const char* kGifWarningBlockData = "error in reading DataBlock";
inline constexpr const char* kGifWarningTooMuch = "too much input data, ignoring extra...";
inline constexpr const char* kGifWarningMissingEod =
    "missing EOD in data stream (common occurence)";

// Message boxes of the scene animation share one caption; the motion-file readers' end-of-file
// notice is captioned with the file's name.
inline constexpr const char* kAnimCaptionError = "Error";

// Motion table, links and key frames.
inline constexpr const char* kMsgExceedMotionLink = "Exceed Maximum Motion Link";
inline constexpr const char* kMsgMotionObjectMissing = "Motion object does not existed";
inline constexpr const char* kMsgExceedMotionTable = "Exceed Maximum Motion Table";
inline constexpr const char* kMsgExceedMotionLevels = "Exceed Maximum Motion Levels";
inline constexpr const char* kMsgExceedMotionKeys = "Exceed Max Motion Key Frame Buffer";
inline constexpr const char* kMsgExceedPathKeys = "Exceed Max Path Key Frame Buffer";

// Animation objects.
inline constexpr const char* kMsgExceedAnimObject = "Exceed Maximum Animation Object";

// Parts and materials.
inline constexpr const char* kMsgExceedParts = "Exceed maximum part number";
inline constexpr const char* kMsgExceedMaterials = "Exceed maximum material list";

// Paths.
inline constexpr const char* kMsgExceedPaths = "Exceed Maximum Path Size";

// Motion files.
inline constexpr const char* kMsgMotionFileOpen = "Script File Open Error";
inline constexpr const char* kMsgMotionFileRead = "File Reading Error";
inline constexpr const char* kMsgIllegalSyntax = "Illegal Syntax";
inline constexpr const char* kMsgExceedMotionBuffer = "Exceed Maximum Buffer size";
inline constexpr const char* kMsgMotionFileTerminated = "Motion File Terminated Illegally";
// The four faults above that stop a reader are shown with the file's name after the text.
inline constexpr const char* kMsgNamedFileFault = "%s: %s";

// Scene lights (caption "Error").
inline constexpr const char* kMsgExceedLights = "Exceed Maximum Number of Lights";
inline constexpr const char* kMsgDirectionalLightFailed = "Failed to Create Directional Light";
inline constexpr const char* kMsgAmbientLightFailed = "Failed to Create Ambient Light";
inline constexpr const char* kMsgIllegalLightType = "Illegal Type of Light";
inline constexpr const char* kMsgLightFrameFailed = "Failed to Create Light Frame";
inline constexpr const char* kMsgLightFramePositionFailed = "Failed to Position Light Frame";
inline constexpr const char* kMsgLightAddFailed = "Failed to Add Light Frame";

// Paths (caption "Error").
inline constexpr const char* kMsgExceedPathMotions = "Exceed Maximum Path Motion";
