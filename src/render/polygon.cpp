#include "render/polygon.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "render/int64.h"
#include "render/lighting.h"
#include "render/view.h"

namespace {

Fixed16 Cut32(int64_t v) {
    return static_cast<Fixed16>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

Fixed16 Sub32(Fixed16 a, Fixed16 b) { return Cut32(static_cast<int64_t>(a) - b); }

Fixed16 Add32(Fixed16 a, Fixed16 b) { return Cut32(static_cast<int64_t>(a) + b); }

int RoundToPixel(Fixed16 v) { return static_cast<int>((static_cast<int64_t>(v) + 0x8000) >> 16); }

// prev.c + (cur.c - prev.c) * num / den
Fixed16 Lerp(Fixed16 prev, Fixed16 cur, Fixed16 num, Fixed16 den) {
    return Add32(prev, MulDiv(Sub32(cur, prev), num, den));
}

// ---- Frustum planes ----

// Signed distance from a side plane: inside when not negative.
int64_t SideDistance(int plane, const PolygonVertex& v) {
    switch (plane) {
        case StatusLeft: return static_cast<int64_t>(v.x) + v.z;
        case StatusRight: return static_cast<int64_t>(v.z) - v.x;
        case StatusTop: return static_cast<int64_t>(v.y) + v.z;
        default: return static_cast<int64_t>(v.z) - v.y;
    }
}

PolygonVertex FrustumIntersection(int plane, const PolygonVertex& prev, const PolygonVertex& cur) {
    PolygonVertex out;
    if (plane == StatusNear) {
        const Fixed16 n = Sub32(FixedOne, prev.z);
        const Fixed16 d = Sub32(cur.z, prev.z);
        out.x = Lerp(prev.x, cur.x, n, d);
        out.y = Lerp(prev.y, cur.y, n, d);
        out.z = FixedOne;
        out.light = Lerp(prev.light, cur.light, n, d);
        return out;
    }
    const Fixed16 s = Cut32(SideDistance(plane, prev));
    const Fixed16 d = Cut32(SideDistance(plane, cur) - SideDistance(plane, prev));
    auto along = [&](Fixed16 p, Fixed16 c) { return Sub32(p, MulDiv(Sub32(c, p), s, d)); };
    out.z = along(prev.z, cur.z);
    out.light = along(prev.light, cur.light);
    switch (plane) {
        case StatusLeft:
            out.y = along(prev.y, cur.y);
            out.x = Cut32(-static_cast<int64_t>(out.z));
            break;
        case StatusRight:
            out.y = along(prev.y, cur.y);
            out.x = out.z;
            break;
        case StatusTop:
            out.x = along(prev.x, cur.x);
            out.y = Cut32(-static_cast<int64_t>(out.z));
            break;
        default:
            out.x = along(prev.x, cur.x);
            out.y = out.z;
            break;
    }
    return out;
}

int RectOutcode(const PolygonVertex& v) {
    int code = 0;
    if (v.x < ClipLeft) code |= StatusLeft;
    if (v.x > ClipRight) code |= StatusRight;
    if (v.y < ClipTop) code |= StatusTop;
    if (v.y > ClipBottom) code |= StatusBottom;
    return code;
}

PolygonVertex RectIntersection(int edge, const PolygonVertex& prev, const PolygonVertex& cur) {
    PolygonVertex out = {0, 0, 0, 0};
    if (edge == StatusLeft || edge == StatusRight) {
        const Fixed16 b = edge == StatusLeft ? ClipLeft : ClipRight;
        const Fixed16 n = Sub32(b, prev.x);
        const Fixed16 d = Sub32(cur.x, prev.x);
        out.x = b;
        out.y = Lerp(prev.y, cur.y, n, d);
        out.light = Lerp(prev.light, cur.light, n, d);
    } else {
        const Fixed16 b = edge == StatusTop ? ClipTop : ClipBottom;
        const Fixed16 n = Sub32(b, prev.y);
        const Fixed16 d = Sub32(cur.y, prev.y);
        out.y = b;
        out.x = Lerp(prev.x, cur.x, n, d);
        out.light = Lerp(prev.light, cur.light, n, d);
    }
    return out;
}

// One Sutherland-Hodgman pass against one plane; the output never passes the buffer size.
template <typename Outcode, typename Intersect>
int ClipAgainst(int plane, const PolygonVertex* in, int count, PolygonVertex* out, Outcode outcode,
                Intersect intersect) {
    int n = 0;
    auto emit = [&](const PolygonVertex& v) {
        if (n < PolygonCapacity) {
            out[n++] = v;
        }
    };
    const PolygonVertex* prev = &in[count - 1];
    bool prevInside = (outcode(*prev) & plane) == 0;
    for (int i = 0; i < count; ++i) {
        const PolygonVertex& cur = in[i];
        const bool curInside = (outcode(cur) & plane) == 0;
        if (prevInside && curInside) {
            emit(cur);
        } else if (prevInside) {
            emit(intersect(plane, *prev, cur));
        } else if (curInside) {
            emit(intersect(plane, *prev, cur));
            emit(cur);
        }
        prev = &cur;
        prevInside = curInside;
    }
    return n;
}

// The clipping shared by both stages: trivial accept and reject on the outcodes, then
// `accepted` (the frustum stage lights the vertices there), then each plane in turn whose
// bit is set, ping-ponging between `out` and a local buffer.
template <typename Outcode, typename Intersect, typename Accepted>
bool ClipPolygon(const PolygonVertex* in, PolygonVertex* out, int& count, const int* planes,
                 int planeCount, Outcode outcode, Intersect intersect, Accepted accepted) {
    count = std::clamp(count, 0, PolygonCapacity);
    int all = 255;
    int any = 0;
    for (int i = 0; i < count; ++i) {
        const int code = outcode(in[i]);
        all &= code;
        any |= code;
    }
    RenderStatus = any;
    if (count == 0 || all != 0) {
        RenderStatus &= ~StatusDrawn;
        return false;
    }
    RenderStatus |= StatusDrawn;
    accepted(count);
    if (any == 0) {
        std::copy(in, in + count, out);
        return true;
    }
    PolygonVertex local[PolygonCapacity];
    const PolygonVertex* source = in;
    PolygonVertex* target = out;
    for (int p = 0; p < planeCount && count > 0; ++p) {
        if ((any & planes[p]) == 0) {
            continue;
        }
        count = ClipAgainst(planes[p], source, count, target, outcode, intersect);
        source = target;
        target = target == out ? local : out;
    }
    if (source != out) {
        std::copy(source, source + count, out);
    }
    return count > 0;
}

// ---- Edge walking ----

// Merges one index's extreme values of the edge being walked into the tables.
void MergeIndex(int index, int lo, Fixed16 loLight, int hi, Fixed16 hiLight) {
    if (index < 0 || index >= EdgeTableSize) {
        return;
    }
    lo = std::clamp(lo, -32768, 32767);
    hi = std::clamp(hi, -32768, 32767);
    if (index * 2 < EdgeRangeMin || index * 2 > EdgeRangeMax) {
        EdgeMin[index] = static_cast<int16_t>(lo);
        EdgeMinLight[index] = loLight;
        EdgeMax[index] = static_cast<int16_t>(hi);
        EdgeMaxLight[index] = hiLight;
        return;
    }
    // Ties go to the later edge.
    if (hi >= EdgeMax[index]) {
        EdgeMax[index] = static_cast<int16_t>(hi);
        EdgeMaxLight[index] = hiLight;
    }
    if (lo <= EdgeMin[index]) {
        EdgeMin[index] = static_cast<int16_t>(lo);
        EdgeMinLight[index] = loLight;
    }
}

struct EdgeEnd {
    int index;
    int value;
    Fixed16 light;
};

// Walks one edge from its lower index to its higher with integer steps only.
//
// Midpoint rule: at step k along the longer axis the shorter coordinate is the start's plus
// round(k * dShort / dLong), an exact half rounding back toward the start, the lower-index
// end. The walk keeps e = 2 k dShort + dLong - 1 - 2 dLong * (short steps taken) and takes
// a short step whenever e reaches 2 dLong, so it needs no division.
// The rule depends only on the two ends, never on the order the polygon gives them in.
void RasteriseEdge(EdgeEnd a, EdgeEnd b, Fixed16 lightStep) {
    if (b.index < a.index) {
        std::swap(a, b);
        lightStep = Cut32(-static_cast<int64_t>(lightStep));
    }
    if (a.index == b.index) {
        // Both ends in one index: each end keeps its own light.
        const EdgeEnd& lo = a.value < b.value ? a : b;
        const EdgeEnd& hi = a.value <= b.value ? b : a;
        MergeIndex(a.index, lo.value, lo.light, hi.value, hi.light);
    } else {
        const int di = b.index - a.index;
        const int dv = std::abs(b.value - a.value);
        const int sv = b.value < a.value ? -1 : 1;
        const bool indexMajor = di >= dv;
        const int major = indexMajor ? di : dv;
        const int minor = indexMajor ? dv : di;
        int64_t error = major - 1;  // 2 k minor + major - 1 - 2 major (minor steps so far)
        int minorSteps = 0;
        Fixed16 light = a.light;

        int index = a.index;
        int lo = a.value, hi = a.value;
        Fixed16 loLight = light, hiLight = light;
        for (int k = 0; k <= major; ++k) {
            const int i = indexMajor ? a.index + k : a.index + minorSteps;
            const int v = indexMajor ? a.value + sv * minorSteps : a.value + sv * k;
            if (i != index) {
                MergeIndex(index, lo, loLight, hi, hiLight);
                index = i;
                lo = hi = v;
                loLight = hiLight = light;
            } else if (k > 0) {
                if (v < lo) {
                    lo = v;
                    loLight = light;
                }
                if (v > hi) {
                    hi = v;
                    hiLight = light;
                }
            }
            error += 2 * static_cast<int64_t>(minor);
            if (error >= 2 * static_cast<int64_t>(major)) {
                error -= 2 * static_cast<int64_t>(major);
                ++minorSteps;
            }
            light = Add32(light, lightStep);
        }
        MergeIndex(index, lo, loLight, hi, hiLight);
    }
    const int first = std::max(a.index, 0);
    const int last = std::min(b.index, EdgeTableSize - 1);
    if (first <= last) {
        EdgeRangeMin = std::min(EdgeRangeMin, first * 2);
        EdgeRangeMax = std::max(EdgeRangeMax, last * 2);
    }
}

void ScanEdges(const PolygonVertex* polygon, int count, bool byColumn) {
    count = std::min(count, PolygonCapacity);
    for (int i = 0; i < count; ++i) {
        const PolygonVertex& s = polygon[i];
        const PolygonVertex& e = polygon[(i + 1) % count];
        const int sx = RoundToPixel(s.x), sy = RoundToPixel(s.y);
        const int ex = RoundToPixel(e.x), ey = RoundToPixel(e.y);
        const int steps = std::max(std::abs(ex - sx), std::abs(ey - sy));
        const Fixed16 lightStep =
            steps == 0 ? 0 : Cut32((static_cast<int64_t>(e.light) - s.light) / steps);
        if (byColumn) {
            RasteriseEdge({sx + ViewCentreX, sy, s.light}, {ex + ViewCentreX, ey, e.light},
                          lightStep);
        } else {
            RasteriseEdge({sy + ViewCentreY, sx, s.light}, {ey + ViewCentreY, ex, e.light},
                          lightStep);
        }
    }
}

constexpr int FrustumPlanes[] = {StatusNear, StatusLeft, StatusRight, StatusTop, StatusBottom};
constexpr int RectEdges[] = {StatusLeft, StatusRight, StatusTop, StatusBottom};

bool WholeClipRect(ScreenRect& rect) {
    rect.x = (ClipLeft >> 16) + ViewCentreX;
    rect.y = (ClipTop >> 16) + ViewCentreY;
    rect.width = (ClipRight >> 16) - (ClipLeft >> 16) + 1;
    rect.height = (ClipBottom >> 16) - (ClipTop >> 16) + 1;
    return true;
}

// Where an exit corner lies when the exit could not be clipped: behind the eye, beyond
// the near plane, or on either side of the view axis.
int ExitCornerCode(const FixedVector& c) {
    int code = 0;
    if (c.z <= 0) code |= 0x01;
    if (c.z >= FixedOne) code |= 0x02;
    if (c.x <= c.z) code |= 0x08;
    if (-static_cast<int64_t>(c.x) <= c.z) code |= 0x04;
    return code;
}

}  // namespace

void LoadPolygonVertices(const FixedVector* vertices, int count) {
    PolygonCount = std::clamp(count, 0, PolygonCapacity);
    for (int i = 0; i < PolygonCount; ++i) {
        WorkingPolygon[i].x = vertices[i].x;
        WorkingPolygon[i].y = vertices[i].y;
        WorkingPolygon[i].z = vertices[i].z;
    }
}

int FrustumOutcode(const PolygonVertex& v) {
    const int64_t x = v.x, y = v.y, z = v.z;
    int code = 0;
    if (z < FixedOne) code |= StatusNear;
    if (z < -x) code |= StatusLeft;
    if (z < x) code |= StatusRight;
    if (z < -y) code |= StatusTop;
    if (z < y) code |= StatusBottom;
    return code;
}

bool ClipPolygonToFrustum(PolygonVertex* in, PolygonVertex* out, int& count) {
    auto light = [in](int n) {
        if (VertexLightingOn) {
            for (int i = 0; i < n; ++i) {
                LightVertex(in[i]);
            }
        }
    };
    return ClipPolygon(in, out, count, FrustumPlanes, 5, FrustumOutcode, FrustumIntersection,
                       light);
}

void ProjectPolygon(PolygonVertex* polygon, int count) {
    count = std::min(count, PolygonCapacity);
    for (int i = 0; i < count; ++i) {
        polygon[i].x = MulDiv(polygon[i].x, ProjectionScaleX, polygon[i].z);
        polygon[i].y = MulDiv(polygon[i].y, ProjectionScaleY, polygon[i].z);
    }
}

bool ClipPolygonToRect(const PolygonVertex* in, PolygonVertex* out, int& count) {
    return ClipPolygon(in, out, count, RectEdges, 4, RectOutcode, RectIntersection, [](int) {});
}

void ScanWallEdges(const PolygonVertex* polygon, int count) { ScanEdges(polygon, count, true); }

void ScanFloorEdges(const PolygonVertex* polygon, int count) { ScanEdges(polygon, count, false); }

bool GetScreenRect(const FixedVector corners[4], ScreenRect& rect) {
    VertexLightingOn = 0;
    LoadPolygonVertices(corners, 4);
    CurrentFaceFlags = 0;
    TransformPolygon();
    int count = PolygonCount;
    bool visible = ClipPolygonToFrustum(ViewPolygon, WorkingPolygon, count);
    if (visible) {
        ProjectPolygon(WorkingPolygon, count);
        visible = ClipPolygonToRect(WorkingPolygon, ViewPolygon, count);
    }
    bool result;
    if (visible) {
        if (ViewCorners[0].z < FixedOne || ViewCorners[1].z < FixedOne) {
            result = WholeClipRect(rect);
        } else {
            int minX = RoundToPixel(ViewPolygon[0].x), maxX = minX;
            int minY = RoundToPixel(ViewPolygon[0].y), maxY = minY;
            for (int i = 1; i < count; ++i) {
                minX = std::min(minX, RoundToPixel(ViewPolygon[i].x));
                maxX = std::max(maxX, RoundToPixel(ViewPolygon[i].x));
                minY = std::min(minY, RoundToPixel(ViewPolygon[i].y));
                maxY = std::max(maxY, RoundToPixel(ViewPolygon[i].y));
            }
            rect = {minX + ViewCentreX, minY + ViewCentreY, maxX - minX + 1, maxY - minY + 1};
            result = true;
        }
    } else if ((ExitCornerCode(ViewCorners[0]) & ExitCornerCode(ViewCorners[1])) != 0) {
        result = false;
    } else {
        // The eye stands in the exit.
        result = WholeClipRect(rect);
    }
    ResetEdgeRange();
    VertexLightingOn = 1;
    return result;
}

void FillSpans(uint8_t colour) {
    if (EdgeRangeMin <= EdgeRangeMax && FrameBuffer != nullptr) {
        const int pitch = ViewWidth + RowSkip;
        const int firstRow = std::max(EdgeRangeMin / 2, ViewTop);
        const int lastRow = std::min(EdgeRangeMax / 2, ViewTop + ViewHeight - 1);
        for (int row = firstRow; row <= lastRow; ++row) {
            const int left = std::max(ViewCentreX + EdgeMin[row], ViewLeft);
            const int right = std::min(ViewCentreX + EdgeMax[row], ViewLeft + ViewWidth - 1);
            if (left <= right) {
                std::memset(FrameBuffer + static_cast<std::ptrdiff_t>(row) * pitch + left, colour,
                            static_cast<size_t>(right - left + 1));
            }
        }
    }
    ResetEdgeRange();
}
