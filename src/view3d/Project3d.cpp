#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "base/Mainm.h"
#include "view3d/Render3d.h"

namespace korvel {

FrameCamera3d frameCameraOf(const Camera3d& cam) {
    return FrameCamera3d{cam.camY, cam.camX, cam.camZ / -16.0, cam.camAngle * 32.0};
}

namespace {

constexpr double kPi = 3.14159265358979323846;

struct CamVertex {
    double X, Y, Z;
    double u, v;
};

struct Plane {
    double A, B, C, D;
};

// A projected triangle's place in the list: its depth key and where it lies in the staging list.
struct ListEntry {
    double key;
    int32_t at;
};

// Quicksort of entries lo..hi by key, largest or smallest first. Equal keys end up in whatever
// order the exchanges leave them, and the picture depends on that order, so the partition below
// makes exactly the exchanges of the plain one: the n-th element that stops the scan from the
// left goes with the n-th that stops the scan from the right. While the unscanned middle is
// wide, the stops are found a block at a time from either end without branching on the keys
// and exchanged pairwise; the last stretch is left to the plain scans.
template <bool LargestFirst>
void sortEntries(ListEntry* e, int32_t lo, int32_t hi) {
    const auto before = [](double x, double y) { return LargestFirst ? x > y : x < y; };
    constexpr int32_t kBlock = 64, kSmallestBlock = 4;
    std::array<int32_t, kBlock> leftStops, rightStops;
    std::array<std::pair<int32_t, int32_t>, 64> stack;
    int32_t top = 0;
    stack[top++] = {lo, hi};
    while (top > 0) {
        auto [l, h] = stack[--top];
        while (l < h) {
            // Two entries: the pivot is the first, and the pair is exchanged unless it is in
            // order already, equal keys included. Nothing is left to sort after.
            if (h - l == 1) {
                if (!before(e[l].key, e[h].key)) std::swap(e[l], e[h]);
                break;
            }
            const double pivot = e[(l + h) / 2].key;
            // The middle from i to j is unscanned; below it lie the left stops leftFirst to
            // leftEnd not yet exchanged, above it the right ones. A block is scanned only where
            // it leaves an entry of the middle unscanned, so every pair is one the plain loop
            // exchanges, and that loop would go on after it.
            int32_t i = l, j = h;
            int32_t leftFirst = 0, leftEnd = 0, rightFirst = 0, rightEnd = 0;
            for (;;) {
                const bool fillLeft = leftFirst == leftEnd, fillRight = rightFirst == rightEnd;
                const int32_t n =
                    std::min(kBlock, (j - i) / (int32_t(fillLeft) + int32_t(fillRight)));
                if (n < kSmallestBlock) break;
                if (fillLeft) {
                    leftFirst = leftEnd = 0;
                    for (int32_t k = 0; k < n; ++k) {
                        leftStops[size_t(leftEnd)] = i + k;
                        leftEnd += !before(e[i + k].key, pivot);
                    }
                    i += n;
                }
                if (fillRight) {
                    rightFirst = rightEnd = 0;
                    for (int32_t k = 0; k < n; ++k) {
                        rightStops[size_t(rightEnd)] = j - k;
                        rightEnd += !before(pivot, e[j - k].key);
                    }
                    j -= n;
                }
                const int32_t pairs = std::min(leftEnd - leftFirst, rightEnd - rightFirst);
                for (int32_t k = 0; k < pairs; ++k)
                    std::swap(e[leftStops[size_t(leftFirst + k)]],
                              e[rightStops[size_t(rightFirst + k)]]);
                leftFirst += pairs;
                rightFirst += pairs;
            }
            // The plain scans take up from the first stop left over on either side.
            if (leftFirst < leftEnd) i = leftStops[size_t(leftFirst)];
            if (rightFirst < rightEnd) j = rightStops[size_t(rightFirst)];
            while (i <= j) {
                while (before(e[i].key, pivot)) ++i;
                while (before(pivot, e[j].key)) --j;
                if (i <= j) {
                    std::swap(e[i], e[j]);
                    ++i;
                    --j;
                }
            }
            // The larger part waits on the stack, the smaller one goes on.
            if (j - l > h - i) {
                if (l < j && top < int32_t(stack.size())) stack[top++] = {l, j};
                l = i;
            } else {
                if (i < h && top < int32_t(stack.size())) stack[top++] = {i, h};
                h = j;
            }
        }
    }
}

// saturateToInt32 of a texture coordinate, which is whole already (a cache value or a floored
// one), so the floor is left out.
inline int32_t wholeToInt32(double v) {
    if (std::isnan(v)) return 0;
    if (v <= double(INT32_MIN)) return INT32_MIN;
    if (v >= double(INT32_MAX)) return INT32_MAX;
    return int32_t(v);
}

// Brings a triangle's texture coordinates near 0 by whole tile repeats. The repeat is 192
// times the tile size, a power of two, so the remainder takes a shift and a division by 3.
void reduce(int32_t size, SurfaceTriangle& t, bool alongU) {
    if (size < 1 || (size & (size - 1)) != 0) return;
    const int32_t bits = 6 + std::countr_zero(uint32_t(size));
    const int64_t P = int64_t(3) << bits;
    const auto remainder = [&](int64_t x) { return x - P * ((x >> bits) / 3); };  // x >= 0
    int64_t m = 0;
    for (const Vertex3d& v : t.p) m += (alongU ? v.u : v.v) / 4;
    const int64_t n = m >= 0 ? m - remainder(m) : m + remainder(-m) - P;
    const int64_t shift = 4 * n / 3;
    for (Vertex3d& v : t.p) {
        int32_t& c = alongU ? v.u : v.v;
        c = int32_t(std::clamp<int64_t>(int64_t(c) - shift, INT32_MIN, INT32_MAX));
    }
}

// Works out again the bounds and runs of the blocks written since they were last bounded and of
// those the count grew into; a block reaching past the count is bounded up to the count.
void boundEntryBlocks(Scene3d& sc, int32_t count) {
    static_assert(kEntryBlock3d <= 256, "a run's place in its block takes a byte");
    if (count > sc.boundedEntryCount3d)
        entriesChanged3d(sc, sc.boundedEntryCount3d, count - sc.boundedEntryCount3d);
    sc.boundedEntryCount3d = count;
    for (int32_t first = 0; first < count; first += kEntryBlock3d) {
        const size_t block = size_t(first / kEntryBlock3d);
        uint8_t& stale = sc.entryBoundsStale3d[block];
        if (!stale) continue;
        stale = 0;
        EntryBounds3d b;
        b.lo.fill(INFINITY);
        b.hi.fill(-INFINITY);
        EntryRun3d* runs = &sc.entryRuns3d[block * kEntryBlock3d];
        const int32_t end = std::min(first + kEntryBlock3d, count);
        for (int32_t i = first; i < end; ++i) {
            const SurfaceTriangle& t = sc.surfaceTriangles[size_t(i)];
            if (isBlank3d(t) || t.tileWidth < 1 || t.tileHeight < 1) continue;
            const int32_t at = i - first;
            EntryRun3d* last = b.runs > 0 ? &runs[b.runs - 1] : nullptr;
            if (last && last->sector == t.sector && last->first + last->count == at)
                ++last->count;
            else
                runs[b.runs++] = EntryRun3d{t.sector, uint8_t(at), 1};
            for (const Vertex3d& v : t.p) {
                const std::array<double, 3> c{v.x, v.y, v.z};
                for (size_t k = 0; k < 3; ++k) {
                    b.finite &= std::isfinite(c[k]);
                    b.lo[k] = std::min(b.lo[k], c[k]);
                    b.hi[k] = std::max(b.hi[k], c[k]);
                }
            }
        }
        sc.entryBounds3d[block] = b;
    }
}

}  // namespace

void project3dTriangles(Scene3d& sc, const FrameCamera3d& fc, const Camera3d& cam,
                        const View3DOptions& options) {
    const double a = fc.angle * kPi / 32768, p = cam.pitch3d * kPi / 32768,
                 t = cam.tilt3d * kPi / 32768;
    const double ca = std::cos(a), sa = std::sin(a), cp = std::cos(p), sp = std::sin(p),
                 ct = std::cos(t), st = std::sin(t);
    const bool unturned = cam.pitch3d == 0 && cam.tilt3d == 0;
    const double w = cam.zoom3d * cam.detailScale3d;
    const double h = std::atan(400 / cam.zoom3d), g = std::atan(225 / cam.zoom3d);
    const std::array<Plane, 5> planes{{{0, 1, 0, 64},
                                       {std::cos(h), std::sin(h), 0, 0},
                                       {0, std::sin(g), -std::cos(g), 0},
                                       {-std::cos(h), std::sin(h), 0, 0},
                                       {0, std::sin(g), std::cos(g), 0}}};

    // A point of the map in the camera's frame: across, ahead and up. turn takes it from the
    // camera's place, across, ahead and up the map.
    const auto turn = [&](double X, double Y, double Z) {
        const double X1 = X * ca - Y * sa, Y1 = X * sa + Y * ca;
        X = X1;
        Y = Y1;
        // Turning by a zero pitch and tilt would change no more than the sign of a zero, which
        // nothing downstream tells apart.
        if (!unturned) {
            const double Y2 = Y * cp - Z * sp, Z2 = Y * sp + Z * cp;
            Y = Y2;
            Z = Z2;
            const double X3 = X * ct - Z * st, Z3 = X * st + Z * ct;
            X = X3;
            Z = Z3;
        }
        return std::array<double, 3>{X, Y, Z};
    };
    const auto toCamera = [&](double x, double y, double z) {
        return turn(y - fc.y, x - fc.x, z / -16 - fc.height);
    };

    // How far a plane's value changes along the map's x, y and z, either way.
    std::array<std::array<double, 3>, 5> planeReach;
    {
        const std::array<std::array<double, 3>, 3> along{
            {turn(0, 1, 0), turn(1, 0, 0), turn(0, 0, -1.0 / 16)}};
        for (size_t e = 0; e < planes.size(); ++e)
            for (size_t k = 0; k < 3; ++k)
                planeReach[e][k] = std::fabs(planes[e].A * along[k][0] + planes[e].B * along[k][1] +
                                             planes[e].C * along[k][2]);
    }

    // Whether a block's entries lie wholly behind one of the planes, by a margin far above what
    // rounding moves a corner or a point the clipper makes between corners: then every entry
    // of it is dropped, near as a whole or clipped away, and projecting them makes nothing.
    // The farthest a plane's value reaches over the bounds is its value at their middle and
    // its reach over half their size. Bounds that are not numbers lie behind no plane.
    const auto hiddenBlock = [&](const EntryBounds3d& b) {
        if (b.runs == 0 || !b.finite) return false;
        double size = std::fabs(fc.x) + std::fabs(fc.y) + std::fabs(fc.height);
        std::array<double, 3> mid, half;
        for (size_t k = 0; k < 3; ++k) {
            size += std::max(std::fabs(b.lo[k]), std::fabs(b.hi[k])) / (k == 2 ? 16 : 1);
            mid[k] = b.lo[k] / 2 + b.hi[k] / 2;
            half[k] = b.hi[k] / 2 - b.lo[k] / 2;
        }
        const double margin = 1e-9 * (size + 1);
        const auto [X, Y, Z] = toCamera(mid[0], mid[1], mid[2]);
        bool behind = false;
        for (size_t e = 0; e < planes.size(); ++e) {
            const Plane& pl = planes[e];
            const double reach = planeReach[e][0] * half[0] + planeReach[e][1] * half[1] +
                                 planeReach[e][2] * half[2];
            behind |= pl.A * X + pl.B * Y + pl.C * Z + reach < pl.D - margin;
        }
        return behind;
    };

    sc.renderTriangleCount = 0;
    sc.drawnTriangleCount = 0;
    const int32_t load = sc.loadAverage3d;

    // The projected triangles are staged, and the list of the frame keeps their depth keys and
    // places; the culling and the sort work on the list, and the triangles are copied into the
    // scene once, in their final order.
    static thread_local std::vector<SurfaceTriangle> staged;
    static thread_local std::vector<ListEntry> list;
    staged.clear();
    list.clear();

    // Whether entry i takes part in this frame. With a skip step k above 1, only every k-th
    // entry, counted on from the frame number, does. A sector's entries mostly follow one
    // another, so the remainder of the count is carried from one entry to the next and divided
    // out afresh only where a run starts.
    const auto skipStepOf = [&](int32_t s) {
        const int32_t level = (s >= 0 && s < kMaxSectors) ? sc.sectorSkipLevel3d[s] : 0;
        return load < 64 ? level / 8 + 1 : load < 2048 ? level / 32 + 1 : level / 64 + 1;
    };
    int32_t carriedEntry = -2, carriedStep = 0, carriedRemainder = 0;
    const auto takesPart = [&](int32_t i, int32_t s) {
        const int32_t k = skipStepOf(s);
        if (k == 1) return true;
        if (k <= 0) {
            const int64_t count = int64_t(sc.frame3dCounter) + i;
            return count >= 0 && count <= INT32_MAX ? int32_t(count) % k == 0 : count % k == 0;
        }
        int32_t r = 0;
        if (i == carriedEntry + 1 && k == carriedStep) {
            const int32_t next = carriedRemainder + 1;
            r = next * int32_t(next != k);  // no branch: which entries are drawn is not regular
        } else {
            r = int32_t((int64_t(sc.frame3dCounter) + i) % k);
            if (r < 0) r += k;
        }
        carriedEntry = i;
        carriedStep = k;
        carriedRemainder = r;
        return r == 0;
    };

    // How many of entries first .. first + n - 1, all of sector s, take part.
    const auto takingPart = [&](int32_t first, int32_t n, int32_t s) {
        const int32_t k = skipStepOf(s);
        if (k == 1) return n;
        if (k <= 0) {
            int32_t taking = 0;
            for (int32_t i = first; i < first + n; ++i) taking += takesPart(i, s);
            return taking;
        }
        // Every k-th entry from the first whose count is a multiple of k.
        int64_t r = (int64_t(sc.frame3dCounter) + first) % k;
        if (r < 0) r += k;
        const int64_t firstTaking = r == 0 ? 0 : k - r;
        return firstTaking < n ? int32_t((n - 1 - firstTaking) / k + 1) : 0;
    };

    // Opaque triangles form the first group; the others wait for the second in cache order.
    static thread_local std::vector<int32_t> translucent;
    translucent.clear();
    const auto projectOne = [&](int32_t i) {
        const SurfaceTriangle& src = sc.surfaceTriangles[i];
        std::array<CamVertex, 16> bufferA, bufferB;
        CamVertex* poly = bufferA.data();
        CamVertex* next = bufferB.data();
        int32_t n = 3;
        bool allNear = true;
        for (int j = 0; j < 3; ++j) {
            const Vertex3d& v = src.p[j];
            const auto [X, Y, Z] = toCamera(v.x, v.y, v.z);
            poly[j] = CamVertex{X, Y, Z, double(v.u), double(v.v)};
            if (Y >= 64) allNear = false;
        }
        if (allNear) return;
        // A triangle strictly inside every plane comes out of the clipper as it went in.
        // The planes' zero terms are left out: they could only turn a zero sum's sign, and an
        // infinite coordinate they would have made undefined fails one of two opposite planes.
        bool inside = true;
        for (int32_t e = 0; e < 3 && inside; ++e) {
            const CamVertex& q = poly[e];
            inside = q.Y > planes[0].D && planes[1].A * q.X + planes[1].B * q.Y > planes[1].D &&
                     planes[2].B * q.Y + planes[2].C * q.Z > planes[2].D &&
                     planes[3].A * q.X + planes[3].B * q.Y > planes[3].D &&
                     planes[4].B * q.Y + planes[4].C * q.Z > planes[4].D;
        }
        // Corners the clipper made carry worked-out texture coordinates; the others keep the
        // cache's, which is what converting them to doubles and back gives.
        bool clipped = false;
        if (!inside) {
            for (const Plane& pl : planes) {
                // A polygon wholly in front of the plane passes unchanged: every corner is kept
                // and no edge crosses. One wholly behind it keeps nothing.
                std::array<double, 16> d;
                bool allIn = true, allOut = true;
                for (int32_t e = 0; e < n; ++e) {
                    d[size_t(e)] = pl.A * poly[e].X + pl.B * poly[e].Y + pl.C * poly[e].Z;
                    allIn &= d[size_t(e)] > pl.D;
                    allOut &= d[size_t(e)] < pl.D;
                }
                if (allOut) return;
                if (allIn) continue;
                int32_t m = 0;
                for (int32_t e = 0; e < n; ++e) {
                    const int32_t f = e + 1 == n ? 0 : e + 1;
                    const CamVertex& vi = poly[e];
                    const CamVertex& vj = poly[f];
                    const double di = d[size_t(e)], dj = d[size_t(f)];
                    if (di >= pl.D && m < 16) next[m++] = vi;
                    if (((di > pl.D) && !(dj > pl.D)) || ((dj > pl.D) && !(di > pl.D))) {
                        const double tt = (di - pl.D) / (di - dj);
                        if (m < 16)
                            next[m++] = CamVertex{
                                vi.X + (vj.X - vi.X) * tt, vi.Y + (vj.Y - vi.Y) * tt,
                                vi.Z + (vj.Z - vi.Z) * tt, std::floor(vi.u + (vj.u - vi.u) * tt),
                                std::floor(vi.v + (vj.v - vi.v) * tt)};
                    }
                }
                if (m < 3) return;
                std::swap(poly, next);
                n = m;
                clipped = true;
            }
        }
        for (int32_t f = 0; f + 2 < n; ++f) {
            const CamVertex* c[3] = {&poly[0], &poly[f + 1], &poly[f + 2]};
            // Worked out whole rather than cut short: the corners rarely coincide, but the
            // comparisons that decide it are no more regular than the coordinates.
            const auto same = [](const CamVertex* x, const CamVertex* y) {
                return (x->X == y->X) & (x->Y == y->Y) & (x->Z == y->Z);
            };
            const bool first = same(c[0], c[1]), second = same(c[1], c[2]),
                       third = same(c[0], c[2]);
            if (first | second | third) continue;
            if (int32_t(list.size()) >= kSceneCapacity3d) break;
            SurfaceTriangle& out = staged.emplace_back(src);
            double zmin = 1e300, zmax = -1e300;
            for (int j = 0; j < 3; ++j) {
                const double z = 16777216 / c[j]->Y;
                out.p[j].x = c[j]->X * w / c[j]->Y / 2 + 200;
                out.p[j].y = c[j]->Z * w / c[j]->Y + 225;
                out.p[j].z = z;
                if (clipped) {
                    out.p[j].u = wholeToInt32(c[j]->u);
                    out.p[j].v = wholeToInt32(c[j]->v);
                }
                zmin = std::min(zmin, z);
                zmax = std::max(zmax, z);
            }
            list.push_back(ListEntry{zmax + 0.02 * (zmin - zmax), int32_t(list.size())});
        }
    };
    const int32_t entryCount = std::min(sc.surfaceTriangleCount, kSceneCapacity3d);
    if (options.passOverHiddenBlocks) boundEntryBlocks(sc, entryCount);
    for (int32_t first = 0; first < entryCount; first += kEntryBlock3d) {
        if (options.passOverHiddenBlocks) {
            const size_t block = size_t(first / kEntryBlock3d);
            const EntryBounds3d& bounds = sc.entryBounds3d[block];
            if (bounds.runs == 0) continue;
            if (hiddenBlock(bounds)) {
                // Its entries are counted as drawn as they would have been, from the runs.
                const EntryRun3d* runs = &sc.entryRuns3d[block * kEntryBlock3d];
                for (int32_t r = 0; r < bounds.runs; ++r)
                    sc.drawnTriangleCount +=
                        takingPart(first + runs[r].first, runs[r].count, runs[r].sector);
                continue;
            }
        }
        const int32_t end = std::min(first + kEntryBlock3d, entryCount);
        for (int32_t i = first; i < end; ++i) {
            const SurfaceTriangle& src = sc.surfaceTriangles[i];
            if (isBlank3d(src) || src.tileWidth < 1 || src.tileHeight < 1) continue;
            // Whether an entry takes part does not depend on the order the entries are asked
            // in, so the second group is sorted out here too.
            if (!takesPart(i, src.sector)) continue;
            ++sc.drawnTriangleCount;
            if ((src.drawFlags & kDrawBlendMask3d) == kDrawOpaque3d)
                projectOne(i);
            else
                translucent.push_back(i);
        }
    }
    int32_t firstGroupEnd = int32_t(list.size());
    for (const int32_t i : translucent) projectOne(i);
    int32_t count = int32_t(list.size());

    // Back faces leave the list; both groups stay contiguous.
    const auto facesAway = [](const SurfaceTriangle& t) {
        if (t.drawFlags & kDrawTwoSided3d) return false;
        const Vertex3d &p0 = t.p[0], &p1 = t.p[1], &p2 = t.p[2];
        return (p0.y - p1.y) * p2.x + (p1.x - p0.x) * p2.y + p0.x * p1.y - p1.x * p0.y > 0;
    };
    for (int32_t i = 0; i < firstGroupEnd;) {
        if (!facesAway(staged[size_t(list[size_t(i)].at)])) {
            ++i;
            continue;
        }
        const int32_t last = firstGroupEnd - 1;
        list[size_t(i)] = list[size_t(last)];
        list[size_t(last)] = list[size_t(count - 1)];
        --firstGroupEnd;
        --count;
    }
    for (int32_t i = firstGroupEnd; i < count;) {
        if (!facesAway(staged[size_t(list[size_t(i)].at)])) {
            ++i;
            continue;
        }
        list[size_t(i)] = list[size_t(count - 1)];
        --count;
    }

    if (options.depthSortFirst && firstGroupEnd > 1)
        sortEntries<true>(list.data(), 0, firstGroupEnd - 1);
    if (options.depthSortRest && count - firstGroupEnd > 1)
        sortEntries<false>(list.data(), firstGroupEnd, count - 1);

    for (int32_t i = 0; i < count; ++i) {
        SurfaceTriangle& t = sc.renderTriangles[size_t(i)];
        t = staged[size_t(list[size_t(i)].at)];
        reduce(t.tileWidth, t, true);
        reduce(t.tileHeight, t, false);
        sc.renderTriangleDepth[size_t(i)] = list[size_t(i)].key;
    }
    sc.renderTriangleCount = count;
}

}  // namespace korvel
