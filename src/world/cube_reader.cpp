// The cube-file reader: one room's vertices, textures cut from BMP sheets, cubes and the map
// objects inside them. Indices in a file are local to it: the reader adds the file's vertex,
// texture and cube bases.
#include "world/cube_reader.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <memory>
#include <sstream>
#include <string>

#include "base/handlers.h"
#include "base/messages.h"
#include "base/report_error.h"
#include "base/wrap.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "render/bitmap.h"
#include "render/lighting.h"
#include "world/char3d_object.h"
#include "world/cube.h"
#include "world/deco_object.h"
#include "world/door_object.h"
#include "world/frame_animation.h"
#include "world/map_object.h"
#include "world/messages.h"
#include "world/read_words.h"
#include "world/room.h"
#include "world/sprite2d_object.h"
#include "world/texture_table.h"

int PendingVerticalLinks[MaxCubes][2];

namespace {

class CubeFileReader {
public:
    CubeFileReader(const std::string& text, platform::BoxPlace& place, Room* room)
        : text_(text), in_(text), place_(place), room_(room), vertexBase_(VertexCount),
          textureBase_(TextureCount), cubeBase_(CubeCount) {}

    // Reads the file to its end; false after the failure has been reported.
    bool Read();
    // Closes the room: its cubes are the ones read from this file.
    void FinishRoom();

private:
    bool Fail(const char* message) {
        MarkLine();
        ReportError("%s", message);
        QuitAppAfterFault();
        return false;
    }
    // Boxes from now on name the line of the last character read (the last line at the end).
    // The stream only moves on, so the count goes on from where the last one ended.
    void MarkLine() {
        const std::streamoff at = in_.tellg();
        const size_t read = at < 0 ? text_.size() : static_cast<size_t>(at);
        const size_t last = read > 0 ? read - 1 : 0;
        if (last < counted_) {
            counted_ = 0;
            line_ = 1;
        }
        line_ += static_cast<int>(std::count(text_.begin() + counted_, text_.begin() + last, '\n'));
        counted_ = last;
        place_.SetLine(line_);
    }

    std::string Word() { return ReadWord(in_); }
    bool Expect(const char* keyword, const char* message) {
        return SameKeyword(Word(), keyword) || Fail(message);
    }
    bool ExpectOpen(const char* keyword, const char* message) {
        return Expect(keyword, message) && Expect("{", message);
    }
    int Int() { return WordToInt(Word()); }

    // Numbers converted as the block keeps them. A number that is not finite, or out of the
    // range of what it becomes, gives 0 and is kept as the block's fault: the first one, with
    // its line, is reported by NumbersFit.
    Fixed16 FileFixed(const std::string& word, const char* message) {
        const double v = WordToNumber(word);
        return Fits(FileNumberFits(v), message) ? FileNumberToFixed(v) : 0;
    }
    Fixed16 WorldFixed(const std::string& word, const char* message) {
        const double v = WordToNumber(word);
        return Fits(WorldNumberFits(v), message) ? WorldToFixed(v) : 0;
    }
    int16_t WorldSize(const std::string& word, const char* message) {
        const double v = WordToNumber(word);
        return Fits(WorldSizeFits(v), message) ? WorldToSize16(v) : 0;
    }
    float Float(const std::string& word, const char* message) {
        const double v = WordToNumber(word);
        return Fits(std::fabs(v) <= FLT_MAX, message) ? static_cast<float>(v) : 0.0f;
    }
    bool Fits(bool fits, const char* message) {
        if (!fits && !numberFault_) {
            numberFault_ = message;
            MarkLine();
            numberFaultLine_ = place_.Line();
        }
        return fits;
    }
    bool NumbersFit() {
        if (!numberFault_) {
            return true;
        }
        place_.SetLine(numberFaultLine_);
        ReportError("%s", numberFault_);
        QuitAppAfterFault();
        return false;
    }

    bool ReadVertexLines();
    bool ReadTextureLines();
    bool ReadCube();
    bool ReadCorners(uint16_t* corners);
    bool ReadFaceTextures(Cube& cube);
    bool ReadObjects(Cube& cube);
    bool ReadDoor(Cube& cube);
    bool ReadDeco(Cube& cube);
    bool ReadSprite2D(Cube& cube);
    bool ReadChar3D(Cube& cube);
    bool ReadFrames(FrameAnimation& animation, const char* message);
    bool SkipSprite();
    bool StoreObject(Cube& cube, MapObject* object, int id);

    const std::string& text_;
    std::istringstream in_;
    size_t counted_ = 0;  // the text before this has had its lines counted: line_ - 1 of them
    int line_ = 1;
    platform::BoxPlace& place_;
    const char* numberFault_ = nullptr;
    int numberFaultLine_ = 0;
    Room* room_;
    int vertexBase_;
    int textureBase_;
    int cubeBase_;
};

// A texture index of a file with the file's base added; false when it cannot name a texture.
bool TextureIndex(int value, int base, int16_t& out) {
    const int64_t index = int64_t{value} + base;
    if (index < 0 || index >= MaxTextures) {
        return false;
    }
    out = static_cast<int16_t>(index);
    return true;
}

bool VertexIndex(int value, int base, uint16_t& out) {
    const int64_t index = int64_t{value} + base;
    if (index < 0 || index >= VertexCount) {
        return false;
    }
    out = static_cast<uint16_t>(index);
    return true;
}

bool CubeFileReader::Read() {
    std::string line;
    while (ReadLine(in_, line)) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first.empty() || first[0] == '/' || SameKeyword(first, "NORMALS") ||
            SameKeyword(first, "FACES")) {
            continue;
        }
        bool ok;
        if (SameKeyword(first, "VERTICES")) {
            ok = ReadVertexLines();
        } else if (SameKeyword(first, "TEXTURES")) {
            ok = ReadTextureLines();
        } else if (SameKeyword(first, "CUBE")) {
            ok = ReadCube();
        } else if (SameKeyword(first, "SPRITE")) {
            ok = SkipSprite();
        } else {
            ok = Fail(SyntaxErrorText);
        }
        if (!ok) {
            return false;
        }
    }
    return true;
}

void CubeFileReader::FinishRoom() {
    room_->firstCube = cubeBase_;
    room_->cubeCount = CubeCount - cubeBase_;
    room_->BuildCubeNodes();
    ++RoomCount;
}

bool CubeFileReader::ReadVertexLines() {
    std::string line;
    while (ReadLine(in_, line)) {
        std::istringstream words(line);
        std::string x, y, z;
        words >> x >> y >> z;
        if (x.empty()) {
            continue;
        }
        if (x == "}") {
            return true;
        }
        if (z.empty() || VertexCount == MaxVertices) {
            return Fail(SyntaxErrorText);
        }
        const FixedVector v{WorldFixed(x, SyntaxErrorText), WorldFixed(y, SyntaxErrorText),
                            WorldFixed(z, SyntaxErrorText)};
        if (!NumbersFit()) {
            return false;
        }
        Vertices[VertexCount++] = v;
    }
    return true;
}

bool CubeFileReader::ReadTextureLines() {
    std::string line;
    while (ReadLine(in_, line)) {
        std::istringstream words(line);
        std::string file, x, y, w, h, flag;
        words >> file >> x >> y >> w >> h >> flag;
        if (file.empty()) {
            continue;
        }
        if (file == "}") {
            return true;
        }
        const int flags = WordToInt(flag);
        if (flag.empty() || TextureCount == MaxTextures || (flags & BitmapRunLength)) {
            return Fail(SyntaxErrorText);
        }
        if (!Handlers.loadTextureSheet || !Handlers.textureSheet) {
            return Fail(HandlersIncompleteText);
        }
        MarkLine();
        if (!Handlers.loadTextureSheet(file.c_str())) {
            // The sheet's loader has shown its own message.
            QuitAppAfterFault();
            return false;
        }
        const int left = WordToInt(x), top = WordToInt(y);
        const int64_t right = int64_t{left} + WordToInt(w) - 1;
        const int64_t bottom = int64_t{top} + WordToInt(h) - 1;
        Bitmap* bitmap = nullptr;
        if (right <= INT32_MAX && bottom <= INT32_MAX) {
            const int rect[4] = {left, top, static_cast<int>(right), static_cast<int>(bottom)};
            bitmap = CaptureBitmap(Handlers.textureSheet(), rect, static_cast<uint16_t>(flags));
        }
        if (!bitmap) {
            return Fail(SyntaxErrorText);
        }
        TextureTable[TextureCount++] = bitmap;
    }
    return true;
}

bool CubeFileReader::ReadCube() {
    if (CubeCount == MaxCubes) {
        return Fail(CubeSyntaxErrorText);
    }
    // The cube is counted even when its block turns out damaged, so that the level reset
    // finds and frees it; until its floor is read it is open and matches no point.
    Cube* cube = new Cube;
    cube->room = room_;
    const int index = CubeCount++;
    Cubes[index] = cube;
    PendingVerticalLinks[index][0] = PendingVerticalLinks[index][1] = -1;

    uint16_t corners[8];
    if (!ReadCorners(corners)) {
        return false;
    }
    std::copy(corners, corners + 4, cube->bottom);
    std::copy(corners + 4, corners + 8, cube->top);
    int64_t sum[3] = {};
    for (int k = 0; k < 4; ++k) {
        sum[0] += cube->Bottom(k).x;
        sum[1] += cube->Bottom(k).y;
        sum[2] += cube->Bottom(k).z;
    }
    cube->centre = {static_cast<Fixed16>(sum[0] >> 2), static_cast<Fixed16>(sum[1] >> 2),
                    static_cast<Fixed16>(sum[2] >> 2)};
    cube->floorSloped = cube->centre.y != cube->Bottom(0).y;

    if (!ExpectOpen("NORMALS", CubeSyntaxErrorText)) {
        return false;
    }
    for (int i = 0; i < CubeFaces; ++i) {
        FixedVector& n = cube->normal[FaceOrder[i]];
        n.x = WrapSub(0, FileFixed(Word(), CubeSyntaxErrorText));
        n.y = WrapSub(0, FileFixed(Word(), CubeSyntaxErrorText));
        n.z = WrapSub(0, FileFixed(Word(), CubeSyntaxErrorText));
    }
    if (!NumbersFit()) {
        return false;
    }
    for (int k = 0; k < CubeSides; ++k) {
        if (!cube->Degenerate(k) && cube->bottom[k] == cube->top[k]) {
            FixedVector raised = cube->Bottom(k);
            raised.y = WrapAdd(raised.y, SideNormalRaise);
            PlaneNormal(cube->Top(k), cube->Top(k + 1), raised, cube->normal[k]);
        }
    }
    if (!Expect("}", CubeSyntaxErrorText) || !ExpectOpen("TEXTURES", CubeSyntaxErrorText) ||
        !ReadFaceTextures(*cube) || !Expect("}", CubeSyntaxErrorText) ||
        !ExpectOpen("CONNECTION", CubeSyntaxErrorText)) {
        return false;
    }
    // The side values are read and left whatever they hold: the level's linking finds the side
    // neighbours from the corners. Only the ceiling and floor values name cubes.
    for (int i = 0; i < CubeFaces; ++i) {
        const int slot = FaceOrder[i];
        const int value = Int();
        if (slot < CubeSides) {
            continue;
        }
        const int64_t target = int64_t{value} + cubeBase_;
        if (value != -1 && (target < 0 || target >= MaxCubes)) {
            return Fail(CubeSyntaxErrorText);
        }
        PendingVerticalLinks[index][slot - CeilingSlot] =
            value == -1 ? -1 : static_cast<int>(target);
    }
    if (!Expect("}", CubeSyntaxErrorText)) {
        return false;
    }

    std::string word = Word();
    if (SameKeyword(word, "FLAGS")) {
        if (!Expect("{", FlagsSyntaxErrorText)) {
            return false;
        }
        for (int i = 0; i < CubeFaces; ++i) {
            cube->faceFlags[i] = static_cast<int16_t>(Int());
        }
        if (!Expect("}", FlagsSyntaxErrorText)) {
            return false;
        }
        word = Word();
    }
    if (SameKeyword(word, "OBJECTS")) {
        if (!Expect("{", ObjectsSyntaxErrorText) || !ReadObjects(*cube)) {
            return false;
        }
        word = Word();
    }
    if (word != "}") {
        return Fail(CubeSyntaxErrorText);
    }
    RotateCubeSides(*cube);
    return true;
}

// The VERTICES block of a cube or a door leaf: bottom corners 0..3, then top corners 0..3.
bool CubeFileReader::ReadCorners(uint16_t* corners) {
    if (!ExpectOpen("VERTICES", CubeSyntaxErrorText)) {
        return false;
    }
    for (int i = 0; i < 8; ++i) {
        if (!VertexIndex(Int(), vertexBase_, corners[i])) {
            return Fail(CubeSyntaxErrorText);
        }
    }
    return Expect("}", CubeSyntaxErrorText);
}

bool CubeFileReader::ReadFaceTextures(Cube& cube) {
    for (int i = 0; i < CubeFaces; ++i) {
        const int slot = FaceOrder[i];
        const std::string first = Word();
        if (first == "-1") {
            cube.texture[slot] = OpenFace;
            continue;
        }
        if (!TextureIndex(WordToInt(first), textureBase_, cube.texture[slot])) {
            return Fail(CubeSyntaxErrorText);
        }
        cube.faceFlags[slot] = Int() != 0 ? 8 : 0;
        for (FixedVector* v : {&cube.texU[slot], &cube.texV[slot], &cube.texW[slot]}) {
            std::string x = Word();
            if (!x.empty() && x[0] == '(') {
                x.erase(0, 1);
            }
            v->x = FileFixed(x, CubeSyntaxErrorText);
            v->y = FileFixed(Word(), CubeSyntaxErrorText);
            v->z = FileFixed(Word(), CubeSyntaxErrorText);
        }
    }
    return NumbersFit();
}

bool CubeFileReader::ReadObjects(Cube& cube) {
    for (;;) {
        const std::string entry = Word();
        if (entry == "}") {
            return true;
        }
        bool ok;
        if (SameKeyword(entry, "DOOR")) {
            Word();
            ok = ReadDoor(cube);
        } else if (SameKeyword(entry, "DECO")) {
            Word();
            ok = ReadDeco(cube);
        } else if (SameKeyword(entry, "SPRITE2D")) {
            Word();
            ok = ReadSprite2D(cube);
        } else if (SameKeyword(entry, "CHAR3D")) {
            Word();
            ok = ReadChar3D(cube);
        } else {
            ok = Fail(ObjectsSyntaxErrorText);
        }
        if (!ok) {
            return false;
        }
    }
}

bool CubeFileReader::StoreObject(Cube& cube, MapObject* object, int id) {
    object->id = id;
    object->cube = &cube;
    MapObjectTable[id] = object;
    AppendObject(cube, object);
    return true;
}

bool CubeFileReader::ReadDoor(Cube& cube) {
    auto door = std::make_unique<DoorObject>();
    door->type = DoorType;
    const int id = Int();
    if (id < 0 || id >= MaxMapObjects) {
        return Fail(DoorSyntaxErrorText);
    }
    if (!ExpectOpen("PARAMETERS", DoorSyntaxErrorText)) {
        return false;
    }
    door->state = Int();
    door->kind = Int();
    door->extent = WorldFixed(Word(), DoorSyntaxErrorText);
    WorldFixed(Word(), DoorSyntaxErrorText);  // the travelled length: a loaded door is at rest
    door->step = WorldFixed(Word(), DoorSyntaxErrorText);
    door->fx = Float(Word(), DoorSyntaxErrorText);
    door->fy = Float(Word(), DoorSyntaxErrorText);
    door->fz = Float(Word(), DoorSyntaxErrorText);
    if (!NumbersFit() || !Expect("}", DoorSyntaxErrorText)) {
        return false;
    }

    door->leaf = new Cube;
    Cube& leaf = *door->leaf;
    uint16_t corners[8];
    if (!ReadCorners(corners)) {
        return false;
    }
    std::copy(corners, corners + 4, leaf.bottom);
    std::copy(corners + 4, corners + 8, leaf.top);
    if (!ExpectOpen("TEXTURES", CubeSyntaxErrorText)) {
        return false;
    }
    for (int i = 0; i < CubeFaces; ++i) {
        const int value = Int();
        int16_t& texture = leaf.texture[FaceOrder[i]];
        if (value == -1) {
            texture = OpenFace;
        } else if (!TextureIndex(value, textureBase_, texture)) {
            return Fail(DoorTexturesSyntaxErrorText);
        }
    }
    if (!Expect("}", DoorTexturesSyntaxErrorText) || !Expect("}", DoorSyntaxErrorText)) {
        return false;
    }

    int64_t sum[3] = {};
    for (int k = 0; k < 4; ++k) {
        for (const FixedVector* v : {&leaf.Bottom(k), &leaf.Top(k)}) {
            sum[0] += v->x;
            sum[1] += v->y;
            sum[2] += v->z;
        }
    }
    door->centre = {static_cast<Fixed16>(sum[0] >> 3), static_cast<Fixed16>(sum[1] >> 3),
                    static_cast<Fixed16>(sum[2] >> 3)};
    PlaneNormal(leaf.Top(0), leaf.Top(1), leaf.Top(3), leaf.normal[CeilingSlot]);
    PlaneNormal(leaf.Bottom(1), leaf.Bottom(0), leaf.Bottom(2), leaf.normal[FloorSlot]);
    for (int k = 0; k < CubeSides; ++k) {
        PlaneNormal(leaf.Top(k + 1), leaf.Top(k), leaf.Bottom(k + 1), leaf.normal[k]);
    }
    return StoreObject(cube, door.release(), id);
}

bool CubeFileReader::ReadFrames(FrameAnimation& animation, const char* message) {
    animation.flags = static_cast<int16_t>(Int());
    animation.delay = static_cast<int16_t>(Int());
    animation.current = static_cast<int16_t>(Int());
    animation.count = static_cast<int16_t>(Int());
    if (animation.count < 0 || animation.count > MaxObjectFrames) {
        return Fail(message);
    }
    for (int i = 0; i < animation.count; ++i) {
        if (!TextureIndex(Int(), textureBase_, animation.textures[i])) {
            return Fail(message);
        }
    }
    return Expect("}", message);
}

bool CubeFileReader::ReadDeco(Cube& cube) {
    auto deco = std::make_unique<DecoObject>();
    deco->type = DecoType;
    const int id = Int();
    if (id < 0 || id >= MaxMapObjects) {
        return Fail(CubeSyntaxErrorText);
    }
    Fixed16 c[6];
    for (Fixed16& value : c) {
        value = WorldFixed(Word(), CubeSyntaxErrorText);
    }
    if (!NumbersFit()) {
        return false;
    }
    const Fixed16 x1 = c[0], y1 = c[1], z1 = c[2], x2 = c[3], y2 = c[4], z2 = c[5];
    deco->corners[0] = {x1, y1, z1};
    deco->corners[1] = {x2, y1, z2};
    deco->corners[2] = {x2, y2, z2};
    deco->corners[3] = {x1, y2, z1};
    PlaneNormal(deco->corners[0], deco->corners[1], deco->corners[3], deco->normal);
    // The middle of the panel serves as its sort position.
    deco->centre = {static_cast<Fixed16>((int64_t{x1} + x2) / 2),
                    static_cast<Fixed16>((int64_t{y1} + y2) / 2),
                    static_cast<Fixed16>((int64_t{z1} + z2) / 2)};
    if (!ReadFrames(deco->animation, CubeSyntaxErrorText)) {
        return false;
    }
    return StoreObject(cube, deco.release(), id);
}

bool CubeFileReader::ReadSprite2D(Cube& cube) {
    auto sprite = std::make_unique<Sprite2DObject>();
    sprite->type = Sprite2DType;
    const int id = Int();
    if (id < 0 || id >= MaxMapObjects) {
        return Fail(CubeSyntaxErrorText);
    }
    sprite->x = WorldFixed(Word(), CubeSyntaxErrorText);
    sprite->y = WorldFixed(Word(), CubeSyntaxErrorText);
    sprite->z = WorldFixed(Word(), CubeSyntaxErrorText);
    sprite->width = WorldSize(Word(), CubeSyntaxErrorText);
    sprite->height = WorldSize(Word(), CubeSyntaxErrorText);
    if (!NumbersFit()) {
        return false;
    }
    // The sprite's anchor serves as its sort position.
    sprite->centre = {sprite->x, sprite->y, sprite->z};
    if (!ReadFrames(sprite->animation, CubeSyntaxErrorText)) {
        return false;
    }
    return StoreObject(cube, sprite.release(), id);
}

bool CubeFileReader::ReadChar3D(Cube& cube) {
    const Fixed16 x = WorldFixed(Word(), Char3DSyntaxErrorText);
    const Fixed16 y = WorldFixed(Word(), Char3DSyntaxErrorText);
    const Fixed16 z = WorldFixed(Word(), Char3DSyntaxErrorText);
    if (!NumbersFit()) {
        return false;
    }
    Word();
    if (!Expect("}", Char3DSyntaxErrorText)) {
        return false;
    }
    MarkLine();
    PlaceLevelCharacter(cube, x, y, z);
    return true;
}

bool CubeFileReader::SkipSprite() {
    for (int i = 0; i < 8; ++i) {
        Word();
    }
    const int count = Int();
    for (int i = 0; i < count && in_; ++i) {
        Word();
    }
    return Expect("}", CubeSyntaxErrorText);
}

}  // namespace

int LoadCubeFile(const char* path) {
    // Boxes name the file, and the line of the fault.
    platform::BoxPlace place(path, platform::BoxPlace::Anew);
    std::string text;
    if (!platform::ReadTextFile(path, text)) {
        ReportError(OpenCubeFileFailedText, path);
        QuitAppAfterFault();
        return 0;
    }
    if (RoomCount == MaxRooms) {
        ReportError("%s", SyntaxErrorText);
        QuitAppAfterFault();
        return 0;
    }
    Room* room = new Room;
    Rooms[RoomCount] = room;
    CubeFileReader reader(text, place, room);
    const bool ok = reader.Read();
    // A damaged file's room is closed too, so that the level reset frees what was read.
    reader.FinishRoom();
    return ok ? 1 : 0;
}
