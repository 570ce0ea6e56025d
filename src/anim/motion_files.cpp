#include "anim/motion_files.h"

#include <strings.h>
#include <cstdio>
#include <cstring>
#include <memory>

#include "anim/anim_objects.h"
#include "anim/materials.h"
#include "anim/messages.h"
#include "anim/motion_table.h"
#include "anim/parts.h"
#include "anim/paths.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "script/limits.h"
#include "script/loader.h"
#include "script/parser.h"
#include "script/tokenizer.h"

namespace {

enum class FileKind { AnimObj, Motion, Path };

// The keywords of the motion files, compared exactly with a statement's first word.
enum MotionKeyword {
    KwObject,
    KwMatrix,
    KwMesh,
    KwVertices,
    KwNormals,
    KwFaces,
    KwAnimationSet,
    KwAnimation,
    KwObjectName,
    KwRotateKeys,
    KwPositionKeys,
    KwScaleKeys,
    KwMaterial,
    KwColour,
    KwSpecular,
    KwFaceMaterials,
    KwTexture,
    KwTextureCoordinates,
    KwNone
};
constexpr const char* MotionKeywords[KwNone] = {
    "object",         "matrix",        "mesh",
    "vertices",       "normals",       "faces",
    "animation_set",  "animation",     "object_name",
    "rotate_keys",    "position_keys", "scale_keys",
    "material",       "colour",        "specular",
    "face_materials", "texture",       "texture_coordinates",
};

uint8_t StatementBuffer[MotionStatementBufferSize];

// Motion files: the first "object" opens the row; a refused row takes nothing of the file.
bool FirstObjectSeen = false;
bool MotionRowOpen = false;
// The path's name, kept until a later path file names another.
char PathName[AnimNameSize] = "";

void Report(const char* text, const char* caption = AnimCaptionError) {
    platform::MessageBox(text, caption);
}

// The statement in hand: its keyword (a statement without words runs the previous one's again,
// with the words it left), its name and its numbers.
struct Statement {
    int keyword;
    const char* name;
    const float* numbers;
    int n;
};

// The keyword the statement's first word is, or KwNone.
int StatementKeyword() {
    for (int k = 0; k < KwNone; ++k) {
        if (std::strcmp(Parsed.StatementTokens[0], MotionKeywords[k]) == 0) return k;
    }
    return KwNone;
}

Statement TakeStatement() {
    MotionLevel = MotionLevelFromBraces(BraceDepth);
    Statement s{StatementKeyword(), "", Parsed.StatementNumbers, Parsed.NumberCount};
    if (Parsed.WordCount == 0 || Parsed.WordCount > 1) s.name = Parsed.StatementTokens[1];
    return s;
}

void SetUpFile(FileKind kind) {
    if (kind == FileKind::Path) return;
    PendingMeshPart = kind == FileKind::AnimObj ? FileStartPending : NoPendingMesh;
    BraceDepth = 0;
    MotionFirstLink = NextMotionLink;
    if (kind == FileKind::Motion) {
        FirstObjectSeen = false;
        MotionRowOpen = false;
    }
}

// Whether a statement that carries numbers holds a word that spells a number that is not finite
// (written by a program that made one): such a word is no number here and would shift the
// numbers after it.
bool HoldsNonFiniteWord() {
    int first = 1;
    switch (StatementKeyword()) {
        case KwMatrix:
        case KwVertices:
        case KwNormals:
        case KwFaces:
        case KwTextureCoordinates:
        case KwObjectName:
        case KwPositionKeys:
        case KwColour:
        case KwSpecular: break;
        case KwMaterial: first = 2; break;
        default: return false;
    }
    for (int k = first; k < Parsed.WordCount; ++k) {
        const char* word = Parsed.StatementTokens[k];
        if (strcasecmp(word, "nan") == 0 || strcasecmp(word, "inf") == 0 ||
            strcasecmp(word, "infinity") == 0) {
            return true;
        }
    }
    return false;
}

int HandleStatement(FileKind kind) {
    switch (kind) {
        case FileKind::AnimObj: return AnimObjFileStatement();
        case FileKind::Motion: return MotionFileStatement();
        case FileKind::Path: return PathFileStatement();
    }
    return 1;
}

// The reading loop the three kinds share.
int ReadMotionFile(const char* fileName, FileKind kind) {
    // Boxes name the file, and the line on which the statement in hand begins.
    platform::BoxPlace place(fileName, platform::BoxPlace::Anew);
    // Closed on every way out, an allocation that fails while a statement is handled included.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(platform::OpenTextFile(fileName),
                                                         std::fclose);
    std::FILE* f = file.get();
    if (!f) {
        Report(MsgMotionFileOpen);
        return 0;
    }
    const int first = std::fgetc(f);
    if (first == 0) {
        Report(MsgMotionFileRead);
        return 0;
    }
    if (first != EOF) std::ungetc(first, f);
    SetUpFile(kind);

    char line[MotionLineSize];
    size_t fill = 0;
    int lineNumber = 0;
    int statementLine = 0;
    for (int read; (read = ReadScriptLine(f, line)) != LineEnd;) {
        ++lineNumber;
        if (fill == 0) statementLine = lineNumber;
        place.SetLine(lineNumber);
        if (read == LineTooLong) {
            Report(MsgExceedMotionBuffer);
            return 0;
        }
        if (line[0] == 0) continue;
        const int r = ScanTokens(line, StatementBuffer + fill, sizeof StatementBuffer - fill);
        if (r == ScanComplete) {
            place.SetLine(statementLine);
            if (ParseStatement(StatementBuffer, sizeof StatementBuffer) != ParseResult::Refused) {
                if (HoldsNonFiniteWord()) {
                    Report(MsgIllegalSyntax);
                    return 0;
                }
                HandleStatement(kind);
            }
            fill = 0;
        } else if (r == ScanComment) {
            fill = 0;
        } else if (r == ScanFull) {
            place.SetLine(statementLine);
            Report(MsgExceedMotionBuffer);
            return 0;
        } else if (r < 0) {
            Report(MsgIllegalSyntax);
            return 0;
        } else {
            fill += static_cast<size_t>(r);
        }
    }
    place.SetLine(statementLine);
    file.reset();
    if (kind == FileKind::AnimObj && PendingMeshPart >= 0) BuildMesh(CurrentPartIndex);
    if (kind == FileKind::Path) {
        FinishPath(PathName);
    } else if (fill > 0) {
        Report(MsgMotionFileTerminated, fileName);
    }
    return 1;
}

}  // namespace

int AnimObjFileStatement() {
    const Statement s = TakeStatement();
    switch (s.keyword) {
        case KwObject:
            NewPart();
            AddMotionLink(s.name);
            break;
        case KwMatrix:
            if (s.n > 0) SetPartTransform(s.numbers, s.n);
            break;
        case KwVertices: SetVertices(s.numbers, s.n); break;
        case KwNormals: SetNormals(s.numbers, s.n); break;
        case KwFaces: SetFaces(s.numbers, s.n); break;
        case KwTextureCoordinates: SetTextureCoords(s.numbers, s.n); break;
        case KwAnimation:
            if (const int link = FindMotionLink(s.name); link >= 0) CurrentMotionLink = link;
            break;
        case KwObjectName: StoreMotionKeys(CurrentMotionLink, s.numbers, s.n); break;
        case KwMaterial:
            if (const int m = FindMaterial(s.name); m < 0)
                NewMaterial(s.name);
            else
                SetMeshMaterial(m);
            if (s.n > 0) SetMaterialColor(s.numbers, s.n);
            break;
        case KwColour:
            if (s.n > 0) SetMaterialColor(s.numbers, s.n);
            break;
        case KwSpecular:
            if (s.n > 0) SetMaterialSpecular(s.numbers, s.n);
            break;
        case KwTexture: SetMaterialTexture(s.name); break;
        case KwNone:
            if (Parsed.WordCount > 1) {
                const char* words[MaxWords];
                for (int i = 0; i < Parsed.WordCount; ++i) words[i] = Parsed.StatementTokens[i];
                SetFaceMaterials(words, Parsed.WordCount);
            }
            break;
        default: break;
    }
    return 1;
}

int MotionFileStatement() {
    const Statement s = TakeStatement();
    if (s.keyword == KwObject) {
        if (!FirstObjectSeen) {
            FirstObjectSeen = true;
            MotionRowOpen = AddMotionTableEntry(s.name) >= 0;
        } else if (MotionRowOpen) {
            AddMotionLink(s.name);
            ++CurrentPartIndex;
        }
        return 1;
    }
    if (!MotionRowOpen) return 1;
    if (s.keyword == KwAnimation) {
        if (const int link = FindMotionLink(s.name); link >= 0) CurrentMotionLink = link;
    } else if (s.keyword == KwObjectName) {
        StoreMotionKeys(CurrentMotionLink, s.numbers, s.n);
    }
    return 1;
}

int PathFileStatement() {
    const Statement s = TakeStatement();
    if (s.keyword == KwObject) {
        std::strncpy(PathName, s.name, AnimNameSize - 1);
        PathName[AnimNameSize - 1] = 0;
    } else if (s.keyword == KwObjectName && s.n > 0) {
        StorePathKeys(CurrentPath, s.numbers, s.n, PathRotationKeys);
    } else if (s.keyword == KwPositionKeys && s.n > 0) {
        StorePathKeys(CurrentPath, s.numbers, s.n, PathPositionKeys);
    }
    return 1;
}

int LoadAnimObjFile(const char* fileName) { return ReadMotionFile(fileName, FileKind::AnimObj); }

int LoadMotion(const char* fileName) { return ReadMotionFile(fileName, FileKind::Motion); }

int LoadPath(const char* fileName) {
    if (!BeginPath()) return 0;
    return ReadMotionFile(fileName, FileKind::Path);
}

int LoadAnimObj(const char* fileName, const float* numbers, int count) {
    if (MotionCount >= MaxMotionRows) {
        Report(MsgExceedMotionTable);
        return 0;
    }
    const int row = MotionCount++;
    CurrentMotion = row;
    MotionTableEntry& entry = MotionTable[row];
    entry = MotionTableEntry{};
    entry.firstLink = static_cast<int16_t>(NextMotionLink);
    entry.active = 1;
    entry.animObj = -1;
    entry.extraOrientation[0] = 1.0f;
    MotionLevel = 1;
    const int firstPart = NextPart;
    auto number = [&](int k) { return k < count ? numbers[k] : 0.0f; };
    const float height = number(4);

    LoadAnimObjFile(fileName);
    if (MotionLinkNode* top = MotionLink[0].firstChild) top->nextSibling = nullptr;
    if (count > 0) {
        SetPartPosition(firstPart, number(0), number(1) + height, number(2));
        ScalePart(firstPart, number(3));
    }
    if (AddAnimObject(row, entry.frameCount, AnimCharacterMotion, 0))
        AnimObj[CurrentAnimObj].heightOffset = count > 0 ? height : 0.0f;
    return 1;
}
