// Texts the scene animation shows or prints.
#pragma once

// GIF texture reader: fatal errors and warnings, printed on the standard error stream.
inline constexpr const char* GifErrorMagic = "error reading magic number";
inline constexpr const char* GifErrorNotGif = "not a GIF file";
inline constexpr const char* GifErrorVersion = "bad version number, not '87a' or '89a'";
inline constexpr const char* GifErrorScreen = "failed to read screen descriptor";
inline constexpr const char* GifErrorColourMap = "bad colormap";
inline constexpr const char* GifErrorImageData = "EOF / read error on image data";
inline constexpr const char* GifErrorExtensionCode = "OF / read error on extention function code";
inline constexpr const char* GifErrorImageDescriptor = "couldn't read left/top/width/height";
inline constexpr const char* GifErrorImageCount = "only %d image%s found in file";
inline constexpr const char* GifErrorCircular = "circular table entry BIG ERROR";
inline constexpr const char* GifErrorOutOfBits = "ran off the end of my bits";
inline constexpr const char* GifErrorCodeSize = "bad LZW minimum code size %d";
inline constexpr const char* GifErrorTooLarge = "image too large: %d by %d";
inline constexpr const char* GifWarningBogus = "bogus character 0x%02x, ignoring";
inline constexpr const char* GifWarningBlockSize = "error in getting DataBlock size";
inline constexpr const char* GifWarningBlockData = "error in reading DataBlock";
inline constexpr const char* GifWarningTooMuch = "too much input data, ignoring extra...";
inline constexpr const char* GifWarningMissingEod = "missing EOD in data stream (common occurence)";

// Message boxes of the scene animation share one caption; the motion-file readers' end-of-file
// notice is captioned with the file's name.
inline constexpr const char* AnimCaptionError = "Error";

// Motion table, links and key frames.
inline constexpr const char* MsgExceedMotionLink = "Exceed Maximum Motion Link";
inline constexpr const char* MsgMotionObjectMissing = "Motion object does not existed";
inline constexpr const char* MsgExceedMotionTable = "Exceed Maximum Motion Table";
inline constexpr const char* MsgExceedMotionLevels = "Exceed Maximum Motion Levels";
inline constexpr const char* MsgExceedMotionKeys = "Exceed Max Motion Key Frame Buffer";
inline constexpr const char* MsgExceedPathKeys = "Exceed Max Path Key Frame Buffer";

// Animation objects.
inline constexpr const char* MsgExceedAnimObject = "Exceed Maximum Animation Object";

// Parts and materials.
inline constexpr const char* MsgExceedParts = "Exceed maximum part number";
inline constexpr const char* MsgExceedMaterials = "Exceed maximum material list";
// A ".ppm" texture whose header declares more pixels than a picture may have (caption "Error").
inline constexpr const char* MsgTextureTooLarge = "Texture %s is too large.";

// Paths.
inline constexpr const char* MsgExceedPaths = "Exceed Maximum Path Size";

// Motion files.
inline constexpr const char* MsgMotionFileOpen = "Script File Open Error";
inline constexpr const char* MsgMotionFileRead = "File Reading Error";
inline constexpr const char* MsgIllegalSyntax = "Illegal Syntax";
inline constexpr const char* MsgExceedMotionBuffer = "Exceed Maximum Buffer size";
inline constexpr const char* MsgMotionFileTerminated = "Motion File Terminated Illegally";

// Scene lights (caption "Error").
inline constexpr const char* MsgExceedLights = "Exceed Maximum Number of Lights";
inline constexpr const char* MsgDirectionalLightFailed = "Failed to Create Directional Light";
inline constexpr const char* MsgAmbientLightFailed = "Failed to Create Ambient Light";
inline constexpr const char* MsgIllegalLightType = "Illegal Type of Light";
inline constexpr const char* MsgLightFrameFailed = "Failed to Create Light Frame";
inline constexpr const char* MsgLightFramePositionFailed = "Failed to Position Light Frame";
inline constexpr const char* MsgLightAddFailed = "Failed to Add Light Frame";

// Paths (caption "Error").
inline constexpr const char* MsgExceedPathMotions = "Exceed Maximum Path Motion";
