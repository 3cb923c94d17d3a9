#include "assets/generator/stone_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>

#include "assets/generator/byte_writer.h"
#include "assets/generator/noise.h"

namespace {

using Vec3 = std::array<float, 3>;
using Face = std::array<int, 3>;

Vec3 normalised(Vec3 v) {
    const float l = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    return {v[0] / l, v[1] / l, v[2] / l};
}

struct Mesh3 {
    std::vector<Vec3> points;
    std::vector<Face> faces;
};

// An icosahedron split once: 42 points, 80 faces, all on the unit sphere.
Mesh3 subdividedIcosahedron() {
    const float g = (1.0f + std::sqrt(5.0f)) / 2.0f;
    Mesh3 m;
    const Vec3 corners[12] = {{-1, g, 0},  {1, g, 0},  {-1, -g, 0}, {1, -g, 0}, {0, -1, g},  {0, 1, g},
                              {0, -1, -g}, {0, 1, -g}, {g, 0, -1},  {g, 0, 1},  {-g, 0, -1}, {-g, 0, 1}};
    for (const Vec3& c : corners) m.points.push_back(normalised(c));
    const Face base[20] = {{0, 11, 5},  {0, 5, 1},  {0, 1, 7},  {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
                           {11, 10, 2}, {10, 7, 6}, {7, 1, 8},  {3, 9, 4},  {3, 4, 2},   {3, 2, 6}, {3, 6, 8},
                           {3, 8, 9},   {4, 9, 5},  {2, 4, 11}, {6, 2, 10}, {8, 6, 7},   {9, 8, 1}};
    std::map<std::pair<int, int>, int> middles;
    auto middle = [&](int a, int b) {
        const std::pair<int, int> key{std::min(a, b), std::max(a, b)};
        auto found = middles.find(key);
        if (found != middles.end()) return found->second;
        const Vec3& p = m.points[a];
        const Vec3& q = m.points[b];
        m.points.push_back(normalised({p[0] + q[0], p[1] + q[1], p[2] + q[2]}));
        const int index = static_cast<int>(m.points.size()) - 1;
        middles[key] = index;
        return index;
    };
    for (const Face& f : base) {
        const int ab = middle(f[0], f[1]), bc = middle(f[1], f[2]), ca = middle(f[2], f[0]);
        m.faces.push_back({f[0], ab, ca});
        m.faces.push_back({f[1], bc, ab});
        m.faces.push_back({f[2], ca, bc});
        m.faces.push_back({ab, bc, ca});
    }
    return m;
}

// Flattens and roughens the sphere into a river stone about 1 unit across.
void shapeStone(Mesh3& m) {
    for (Vec3& p : m.points) {
        const float bump = 0.85f + 0.3f * valueNoise(p[0] * 1.7f + 3.1f, p[1] * 1.7f + p[2] * 1.3f + 5.7f, 71);
        p = {p[0] * 0.55f * bump, p[1] * 0.3f * bump, p[2] * 0.42f * bump};
    }
}

std::vector<Vec3> vertexNormals(const Mesh3& m) {
    std::vector<Vec3> normals(m.points.size(), Vec3{0, 0, 0});
    for (const Face& f : m.faces) {
        const Vec3 &a = m.points[f[0]], &b = m.points[f[1]], &c = m.points[f[2]];
        const Vec3 u{b[0] - a[0], b[1] - a[1], b[2] - a[2]}, v{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const Vec3 n{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        for (int i : f)
            for (int k = 0; k < 3; ++k) normals[i][k] += n[k];
    }
    for (Vec3& n : normals) n = normalised(n);
    return normals;
}

void writeHeader(ByteWriter& w) {
    w.raw("MS3D000000");
    w.i32(4);
}

void writeVertices(ByteWriter& w, const Mesh3& m) {
    std::vector<int> uses(m.points.size(), 0);
    for (const Face& f : m.faces)
        for (int i : f) ++uses[i];
    w.u16(static_cast<uint16_t>(m.points.size()));
    for (size_t i = 0; i < m.points.size(); ++i) {
        w.u8(0);
        for (float c : m.points[i]) w.f32(c);
        w.u8(0xFF);  // bone -1: not skinned
        w.u8(static_cast<uint8_t>(uses[i]));
    }
}

void writeTriangles(ByteWriter& w, const Mesh3& m, const std::vector<Vec3>& normals) {
    constexpr float kPi = 3.14159265f;
    w.u16(static_cast<uint16_t>(m.faces.size()));
    for (const Face& f : m.faces) {
        w.u16(0);
        for (int i : f) w.u16(static_cast<uint16_t>(i));
        for (int i : f)
            for (float c : normals[i]) w.f32(c);
        // Texture coordinates from the direction around the stone.
        for (int i : f) w.f32(0.5f + std::atan2(m.points[i][2], m.points[i][0]) / (2 * kPi));
        for (int i : f) w.f32(0.5f - std::asin(std::clamp(normals[i][1], -1.0f, 1.0f)) / kPi);
        w.u8(1);  // smoothing group
        w.u8(0);  // group index
    }
}

void writeGroup(ByteWriter& w, const Mesh3& m) {
    w.u16(1);
    w.u8(0);
    w.text("Stone", 32);
    w.u16(static_cast<uint16_t>(m.faces.size()));
    for (size_t i = 0; i < m.faces.size(); ++i) w.u16(static_cast<uint16_t>(i));
    w.u8(0);  // material 0
}

void writeMaterial(ByteWriter& w) {
    w.u16(1);
    w.text("Granite", 32);
    const float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f}, diffuse[4] = {0.52f, 0.5f, 0.47f, 1.0f};
    const float specular[4] = {0.15f, 0.15f, 0.15f, 1.0f}, emissive[4] = {0, 0, 0, 1.0f};
    for (float v : ambient) w.f32(v);
    for (float v : diffuse) w.f32(v);
    for (float v : specular) w.f32(v);
    for (float v : emissive) w.f32(v);
    w.f32(12.0f);     // shininess
    w.f32(1.0f);      // transparency: opaque
    w.u8(0);          // mode
    w.text("", 128);  // no texture file
    w.text("", 128);  // no alpha map
}

// Animation block that MilkShape writes after the materials: no joints.
void writeAnimation(ByteWriter& w) {
    w.f32(24.0f);
    w.f32(0.0f);
    w.i32(1);
    w.u16(0);
}

}  // namespace

std::vector<uint8_t> encodeStoneModel() {
    Mesh3 mesh = subdividedIcosahedron();
    shapeStone(mesh);
    const std::vector<Vec3> normals = vertexNormals(mesh);
    ByteWriter w;
    writeHeader(w);
    writeVertices(w, mesh);
    writeTriangles(w, mesh, normals);
    writeGroup(w, mesh);
    writeMaterial(w);
    writeAnimation(w);
    return w.bytes;
}
