#include "anim/scene_lights.h"

#include <algorithm>

#include "anim/anim_objects.h"
#include "anim/messages.h"
#include "base/graphics_objects.h"
#include "platform/message_box.h"
#include "platform/rm.h"

SceneLightRecord SceneLight[MaxSceneLights];
int SceneLightCount = 0;

namespace {

int Fail(const char* text) {
    platform::MessageBox(text, AnimCaptionError);
    return -1;
}

// A light that was counted and made, on a frame that took it.
SceneLightRecord* MadeLight(int light) {
    if (light < 0 || light >= std::min(SceneLightCount, UsableSceneLights)) return nullptr;
    SceneLightRecord& record = SceneLight[light];
    return record.frame && record.light && !record.frame->Lights().empty() ? &record : nullptr;
}

// The lights belong to the scene they were made in; the table holds a reference to each light
// and its frame. Once that scene is gone (the game made a new one), the table starts again.
void StartOverInNewScene() {
    bool stale = false;
    for (int i = 0; i < std::min(SceneLightCount, UsableSceneLights); ++i) {
        if (SceneLight[i].frame && SceneLight[i].frame->GetParent() != SceneFrame) stale = true;
    }
    if (!stale) return;
    for (int i = 0; i < std::min(SceneLightCount, UsableSceneLights); ++i) {
        if (SceneLight[i].light) SceneLight[i].light->Release();
        if (SceneLight[i].frame) SceneLight[i].frame->Release();
        SceneLight[i] = SceneLightRecord{};
    }
    SceneLightCount = 0;
}

// The animation object of the light's ramp while that ramp still runs, else -1.
int RunningRamp(int light) {
    const int e = SceneLight[light].animObj;
    if (e < 0 || e >= AnimObjCount || e >= MaxAnimObjects) return -1;
    return AnimObj[e].type == AnimLightRamp && AnimObj[e].row == light ? e : -1;
}

}  // namespace

int CreateLight(int type, const float position[3], const float direction[3],
                const float colour[3]) {
    StartOverInNewScene();
    const int index = SceneLightCount;
    SceneLightCount = std::min(SceneLightCount + 1, MaxSceneLights);
    if (index + 1 >= MaxSceneLights) return Fail(MsgExceedLights);

    SceneLightRecord& record = SceneLight[index];
    record = SceneLightRecord{};
    record.animObj = -1;
    std::copy(position, position + 3, record.position);
    std::copy(direction, direction + 3, record.direction);
    std::copy(colour, colour + 3, record.colour);
    record.type = static_cast<int16_t>(type);

    if (type != DirectionalLightType && type != AmbientLightType) return Fail(MsgIllegalLightType);
    const bool directional = type == DirectionalLightType;
    platform::RmLight* light = nullptr;
    if (!RMObject ||
        platform::Failed(RMObject->CreateLightRGB(
            directional ? platform::D3DRMLIGHT_DIRECTIONAL : platform::D3DRMLIGHT_AMBIENT,
            colour[0], colour[1], colour[2], &light))) {
        return Fail(directional ? MsgDirectionalLightFailed : MsgAmbientLightFailed);
    }
    platform::RmFrame* frame = nullptr;
    if (platform::Failed(RMObject->CreateFrame(SceneFrame, &frame))) {
        light->Release();
        return Fail(MsgLightFrameFailed);
    }
    record.frame = frame;
    record.light = light;
    if (platform::Failed(frame->SetPosition(SceneFrame, position[0], position[1], position[2]))) {
        return Fail(MsgLightFramePositionFailed);
    }
    if (directional) {
        frame->SetOrientation(SceneFrame, direction[0], direction[1], direction[2], position[0],
                              position[1], position[2]);
    }
    if (platform::Failed(frame->AddLight(light))) return Fail(MsgLightAddFailed);
    return index;
}

int MoveLight(int light, const float* up, const float* direction) {
    SceneLightRecord* record = MadeLight(light);
    if (!record) return 1;
    record->frame->SetOrientation(SceneFrame, direction[0], direction[1], direction[2], up[0],
                                  up[1], up[2]);
    return 1;
}

int AnimLight(int light, int frames, const float* target) {
    SceneLightRecord* record = MadeLight(light);
    if (!record) return 0;
    // A ramp still running on this light stops here; the new one starts from the colour reached.
    if (const int old = RunningRamp(light); old >= 0) AnimObj[old].type = AnimFree;
    if (frames <= 0) {
        std::copy(target, target + 3, record->colour);
        record->light->SetColorRGB(target[0], target[1], target[2]);
        return 1;
    }
    frames = std::min(frames, MaxRampFrames);
    for (int c = 0; c < 3; ++c) record->colourStep[c] = (target[c] - record->colour[c]) / frames;
    if (!AddAnimObject(light, frames, AnimLightRamp, 0)) return 0;
    record->animObj = static_cast<int16_t>(CurrentAnimObj);
    return 1;
}

void StepLightAnim(int light) {
    SceneLightRecord* record = MadeLight(light);
    if (!record) return;
    for (int c = 0; c < 3; ++c) record->colour[c] += record->colourStep[c];
    record->light->SetColorRGB(record->colour[0], record->colour[1], record->colour[2]);
    const int e = RunningRamp(light);
    if (e < 0) return;
    AnimObject& entry = AnimObj[e];
    if (++entry.frame >= entry.frameCount) entry.type = AnimFree;
}
