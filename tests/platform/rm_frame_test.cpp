#include <gtest/gtest.h>

#include <cmath>

#include "platform/rm_frame.h"
#include "platform/rm_math.h"

using namespace platform;

namespace {

constexpr float Pi = 3.14159265f;

void ExpectNear(const RmVector& v, float x, float y, float z, float eps = 1e-4f) {
    EXPECT_NEAR(v.x, x, eps);
    EXPECT_NEAR(v.y, y, eps);
    EXPECT_NEAR(v.z, z, eps);
}

RmMatrix4 RotationY(float radians) {
    RmQuaternion q;
    RmVector axis{0, 1, 0};
    RmQuaternionFromRotation(&q, &axis, radians);
    RmMatrix4 m;
    RmMatrixFromQuaternion(m, &q);
    return m;
}

// A scene root with a moved, turned and scaled child, as characters hang under the world frame.
struct Scene {
    RmRef<RmFrame> root = RmAdopt(RmFrame::Create(nullptr));
    RmRef<RmFrame> parent = RmAdopt(RmFrame::Create(root.get()));
    RmRef<RmFrame> child = RmAdopt(RmFrame::Create(parent.get()));
    RmRef<RmFrame> other = RmAdopt(RmFrame::Create(root.get()));

    Scene() {
        parent->AddTransform(D3DRMCOMBINE_REPLACE, RotationY(0.7f));
        parent->AddScale(D3DRMCOMBINE_BEFORE, 0.25f, 0.25f, 0.25f);
        parent->SetPosition(root.get(), 10, -3, 42);
        other->AddTransform(D3DRMCOMBINE_REPLACE, RotationY(-2.0f));
        other->SetPosition(nullptr, -7, 1, 5);
    }
};

}  // namespace

TEST(RmMath, HelpersFollowTheLeftHandedConventions) {
    RmVector zero{0, 0, 0};
    ExpectNear(*RmVectorNormalize(&zero), 0, 0, 1);
    RmVector v{3, 0, 4};
    ExpectNear(*RmVectorNormalize(&v), 0.6f, 0, 0.8f);

    RmVector x{1, 0, 0}, y{0, 1, 0}, out;
    ExpectNear(*RmVectorCrossProduct(&out, &x, &y), 0, 0, 1);
    ExpectNear(*RmVectorSubtract(&out, &x, &y), 1, -1, 0);

    // +90 degrees about y turns the -z direction to +x.
    ExpectNear(RmTransformDirection({0, 0, -1}, RotationY(Pi / 2)), 1, 0, 0);

    EXPECT_EQ(RmCreateColorRGB(0.0f, 1.0f, 0.0f), 0xFF00FF00u);
    EXPECT_EQ(RmCreateColorRGB(2.0f, -1.0f, 0.5f), 0xFFFF0080u);
}

TEST(RmFrame, PositionsRoundTripThroughScaledTurnedParentsAndOtherFrames) {
    Scene s;
    RmVector got;
    s.child->SetPosition(s.root.get(), 1, 2, 3);
    s.child->GetPosition(s.root.get(), &got);
    ExpectNear(got, 1, 2, 3);
    s.child->GetPosition(nullptr, &got);
    ExpectNear(got, 1, 2, 3);

    // Relative to a sibling branch: the same point seen from there, and back again.
    s.child->SetPosition(s.other.get(), 4, 5, 6);
    s.child->GetPosition(s.other.get(), &got);
    ExpectNear(got, 4, 5, 6);

    // Relative to its scaled parent the offset is in the parent's (quarter-size) units.
    s.child->SetPosition(s.parent.get(), 8, 0, 0);
    s.child->GetPosition(s.root.get(), &got);
    RmVector parentAt;
    s.parent->GetPosition(s.root.get(), &parentAt);
    ExpectNear(got, parentAt.x + 2 * std::cos(0.7f), parentAt.y, parentAt.z + 2 * std::sin(0.7f));

    // Moving the parent carries the child along; its local transform keeps the offset.
    s.parent->SetPosition(s.root.get(), 0, 0, 0);
    RmMatrix4 local;
    s.child->GetTransform(local);
    EXPECT_NEAR(local.m[3][0], 8, 1e-4f);
    s.child->GetPosition(s.root.get(), &got);
    ExpectNear(got, 2 * std::cos(0.7f), 0, 2 * std::sin(0.7f));
}

TEST(RmFrame, AddScaleCombinesBeforeTheTransformAndKeepsTheTranslation) {
    auto f = RmAdopt(RmFrame::Create(nullptr));
    f->AddTransform(D3DRMCOMBINE_REPLACE, RotationY(Pi / 2));
    f->SetPosition(nullptr, 5, 6, 7);
    f->AddScale(D3DRMCOMBINE_BEFORE, 2, 2, 2);
    RmMatrix4 m;
    f->GetTransform(m);
    RmMatrix4 r = RotationY(Pi / 2);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(m.m[i][j], 2 * r.m[i][j], 1e-5f);
    }
    EXPECT_FLOAT_EQ(m.m[3][0], 5);
    EXPECT_FLOAT_EQ(m.m[3][1], 6);
    EXPECT_FLOAT_EQ(m.m[3][2], 7);
    EXPECT_FLOAT_EQ(m.m[3][3], 1);

    // Combined after, the scale reaches the translation too; replace drops what was there.
    f->AddScale(D3DRMCOMBINE_AFTER, 0.5f, 0.5f, 0.5f);
    f->GetTransform(m);
    EXPECT_FLOAT_EQ(m.m[3][0], 2.5f);
    f->AddScale(D3DRMCOMBINE_REPLACE, 3, 3, 3);
    f->GetTransform(m);
    EXPECT_FLOAT_EQ(m.m[0][0], 3);
    EXPECT_FLOAT_EQ(m.m[3][0], 0);
}

TEST(RmFrame, SetOrientationAimsZAndKeepsThePosition) {
    Scene s;
    auto cam = RmAdopt(RmFrame::Create(s.root.get()));
    cam->SetPosition(nullptr, 1, 2, 3);
    ASSERT_EQ(cam->SetOrientation(s.root.get(), 0, 0, 1, 0, 1, 0), D3DRM_OK);
    RmMatrix4 m;
    cam->GetTransform(m);
    RmMatrix4 identity;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) EXPECT_NEAR(m.m[i][j], identity.m[i][j], 1e-6f);
    }

    // Heading 90 degrees: direction +x, the camera's right becomes -z.
    cam->SetOrientation(s.root.get(), 1, 0, 0, 0, 1, 0);
    RmMatrix4 w = cam->WorldTransform();
    ExpectNear({w.m[2][0], w.m[2][1], w.m[2][2]}, 1, 0, 0);
    ExpectNear({w.m[0][0], w.m[0][1], w.m[0][2]}, 0, 0, -1);
    RmVector at;
    cam->GetPosition(nullptr, &at);
    ExpectNear(at, 1, 2, 3);

    // Relative to a turned, scaled frame: the frame's own axes, unit length in the root.
    s.child->SetOrientation(s.parent.get(), 0, 0, 1, 0, 1, 0);
    w = s.child->WorldTransform();
    RmMatrix4 turn = RotationY(0.7f);
    ExpectNear({w.m[2][0], w.m[2][1], w.m[2][2]}, turn.m[2][0], 0, turn.m[2][2]);
    ExpectNear({w.m[1][0], w.m[1][1], w.m[1][2]}, 0, 1, 0);

    // A zero up vector (as the default directional light is given) still gives a turn; a zero
    // direction is refused.
    EXPECT_EQ(cam->SetOrientation(nullptr, 0, 20, 0, 0, 0, 0), D3DRM_OK);
    w = cam->WorldTransform();
    ExpectNear({w.m[2][0], w.m[2][1], w.m[2][2]}, 0, 1, 0);
    EXPECT_EQ(cam->SetOrientation(nullptr, 0, 0, 0, 0, 1, 0), D3DRMERR_BADVALUE);
    ExpectNear({cam->WorldTransform().m[2][0], cam->WorldTransform().m[2][1],
                cam->WorldTransform().m[2][2]},
               0, 1, 0);
}

TEST(RmFrame, ParentKeepsReleasedChildrenAlive) {
    RmFrame* root = RmFrame::Create(nullptr);
    RmFrame* child = RmFrame::Create(root);
    RmFrame* grandChild = RmFrame::Create(child);
    grandChild->SetPosition(nullptr, 1, 1, 1);
    grandChild->Release();
    child->Release();
    ASSERT_EQ(root->Children().size(), 1u);
    RmVector at;
    root->Children()[0]->Children()[0]->GetPosition(nullptr, &at);
    ExpectNear(at, 1, 1, 1);
    // A child that outlives its parent is a root of its own.
    RmRef<RmFrame> kept(root->Children()[0].get());
    root->Release();
    EXPECT_EQ(kept->GetParent(), nullptr);
}

TEST(RmFrame, DeleteChildMakesTheChildARootAndDropsTheParentsReference) {
    RmFrame* root = RmFrame::Create(nullptr);
    RmFrame* child = RmFrame::Create(root);
    RmFrame* stranger = RmFrame::Create(nullptr);
    EXPECT_EQ(root->DeleteChild(stranger), D3DRMERR_NOTFOUND);
    EXPECT_EQ(root->DeleteChild(child), D3DRM_OK);
    EXPECT_TRUE(root->Children().empty());
    EXPECT_EQ(child->GetParent(), nullptr);
    EXPECT_EQ(root->DeleteChild(child), D3DRMERR_NOTFOUND);
    child->Release();  // the last reference: no leak, no double release under the sanitizers
    stranger->Release();
    root->Release();
}
