#include "world/char3d_object.h"

#include "world/cube.h"

void Char3DObject::SetPosition(platform::RmFrame*, Fixed16 x, Fixed16 y, Fixed16 z)
{
    centre = {x, y, z};
    Cube* next = cube ? cube->FindCubeFrom(x, z) : FindCubeAt(x, z);
    if (!next || next == cube) {
        return;
    }
    AppendObject(*next, this);
    if (cube) {
        RemoveObject(*cube, this);
    }
    cube = next;
}

void PlaceLevelCharacter(Cube& cube, Fixed16 x, Fixed16 y, Fixed16 z)
{
    Char3DObject* character = new Char3DObject;
    character->type = Char3DType;
    character->cube = &cube;
    AppendObject(cube, character);
    character->SetPosition(nullptr, x, y, z);
}
