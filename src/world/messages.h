// Texts of the cube world's error reports (shown through ReportError).
#pragma once

constexpr const char* OpenLevelFailedText = "Open level file failed!";
constexpr const char* PlayerOutsideText = "Initial position of player is outside!";
constexpr const char* LevelWithoutCubesText = "Level file %s holds no cube!";
constexpr const char* OpenCubeFileFailedText = "Open file %s failed!";
constexpr const char* SyntaxErrorText = "Syntex error!";
constexpr const char* CubeSyntaxErrorText = "Syntex error in cubes!";
constexpr const char* FlagsSyntaxErrorText = "Syntex error in Flags!";
constexpr const char* DoorSyntaxErrorText = "Syntex error in DOOR!";
constexpr const char* DoorTexturesSyntaxErrorText = "Syntex error in textures in DOOR!";
constexpr const char* Char3DSyntaxErrorText = "Syntex error in CHAR3D!";
constexpr const char* ObjectsSyntaxErrorText = "Syntex error in objects!";
constexpr const char* TooManyExitsText = "Too many exits in this room!";
constexpr const char* Char3DOutsideText = "Character 3D position is outside the map!";
constexpr const char* PlayerInsideDoorText = "Player is inside the door!";
constexpr const char* PlayerPositionWrongText = "Player's next position is wrong!";
constexpr const char* CameraOutsideMapText = "Camera position set inscript is outside the map!";
