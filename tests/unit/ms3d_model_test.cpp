// The MilkShape 3D loader on files built byte by byte from known values.
#include "renderer/ms3d_model.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A texture loader that records the names it is given and hands out distinct
// texture names, in place of the GL scene's.
std::vector<std::string> textureRequests;
unsigned int recordTextureRequest(const char* path) {
    textureRequests.push_back(path);
    return 100u + static_cast<unsigned int>(textureRequests.size());
}

// Little-endian file writer, independent of the host's byte order.
struct FileBytes {
    std::vector<unsigned char> bytes;

    void u8(unsigned value) { bytes.push_back(static_cast<unsigned char>(value & 0xFF)); }
    void u16(unsigned value) {
        u8(value);
        u8(value >> 8);
    }
    void u32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) u8(value >> shift);
    }
    void f32(float value) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        u32(bits);
    }
    // A fixed-size text field: the text, then NULs to the field's size.
    void field(const std::string& text, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) u8(i < text.size() ? static_cast<unsigned char>(text[i]) : 0);
    }
};

struct VertexSpec {
    int bone;
    float x, y, z;
};
struct TriangleSpec {
    unsigned indices[3];
    float normals[3][3];
    float s[3];
    float t[3];
};
struct GroupSpec {
    std::vector<unsigned> triangles;
    unsigned materialByte;
};
struct MaterialSpec {
    float ambient[4], diffuse[4], specular[4], emissive[4];
    float shininess;
    std::string texture;
};
struct ModelSpec {
    int version = 4;
    std::vector<VertexSpec> vertices;
    std::vector<TriangleSpec> triangles;
    std::vector<GroupSpec> groups;
    std::vector<MaterialSpec> materials;
};

std::vector<unsigned char> fileOf(const ModelSpec& plan) {
    FileBytes out;
    out.field("MS3D000000", 10);
    out.u32(static_cast<std::uint32_t>(plan.version));
    out.u16(unsigned(plan.vertices.size()));
    for (const VertexSpec& v : plan.vertices) {
        out.u8(0x55);  // flags
        out.f32(v.x);
        out.f32(v.y);
        out.f32(v.z);
        out.u8(static_cast<unsigned>(v.bone));
        out.u8(7);  // reference count
    }
    out.u16(unsigned(plan.triangles.size()));
    for (const TriangleSpec& t : plan.triangles) {
        out.u16(0xABCD);  // flags
        for (unsigned index : t.indices) out.u16(index);
        for (const auto& normal : t.normals)
            for (float value : normal) out.f32(value);
        for (float value : t.s) out.f32(value);
        for (float value : t.t) out.f32(value);
        out.u8(3);  // smoothing group
        out.u8(9);  // group index
    }
    out.u16(unsigned(plan.groups.size()));
    for (const GroupSpec& g : plan.groups) {
        out.u8(0);
        out.field("group", 32);
        out.u16(unsigned(g.triangles.size()));
        for (unsigned index : g.triangles) out.u16(index);
        out.u8(g.materialByte);
    }
    out.u16(unsigned(plan.materials.size()));
    for (const MaterialSpec& m : plan.materials) {
        out.field("material", 32);
        for (float value : m.ambient) out.f32(value);
        for (float value : m.diffuse) out.f32(value);
        for (float value : m.specular) out.f32(value);
        for (float value : m.emissive) out.f32(value);
        out.f32(m.shininess);
        out.f32(0.5f);  // transparency
        out.u8(1);      // mode
        out.field(m.texture, 128);
        out.field("alpha.bmp", 128);
    }
    return out.bytes;
}

ModelSpec richModel() {
    ModelSpec plan;
    plan.version = 3;
    plan.vertices = {{-1, 1.5f, -2.25f, 3.0f}, {0, 0.0f, 1e-3f, -7.5f}, {127, 100.0f, 200.0f, 300.0f}, {-128, 4, 5, 6}};
    plan.triangles = {
        {{0, 1, 2}, {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}, {0.0f, 0.5f, 1.0f}, {0.0f, 0.25f, 1.0f}},
        {{3, 2, 65535}, {{-1, -2, -3}, {4, 5, 6}, {7, 8, 9}}, {0.125f, 0.375f, 0.625f}, {0.5f, 0.75f, 0.875f}},
    };
    plan.groups = {{{0, 1}, 0}, {{}, 0xFF}, {{1, 1, 0, 40000}, 1}};
    plan.materials = {
        {{0.1f, 0.2f, 0.3f, 1},
         {0.4f, 0.5f, 0.6f, 1},
         {0.7f, 0.8f, 0.9f, 1},
         {0, 0, 0, 1},
         32.0f,
         "c:\\tolvin\\Solvane1.bmp"},
        {{1, 1, 1, 1}, {0, 0, 0, 0}, {0.5f, 0.5f, 0.5f, 0.5f}, {0.25f, 0, 0, 1}, 0.0f, ""},
    };
    return plan;
}

bool loadBytes(Ms3dModel& model, const std::vector<unsigned char>& bytes) {
    return model.loadFromBuffer(bytes.data(), bytes.size());
}

void expectEmpty(const Model& model) {
    EXPECT_EQ(model.numMeshes, 0);
    EXPECT_EQ(model.meshes, nullptr);
    EXPECT_EQ(model.numMaterials, 0);
    EXPECT_EQ(model.materials, nullptr);
    EXPECT_EQ(model.numTriangles, 0);
    EXPECT_EQ(model.triangles, nullptr);
    EXPECT_EQ(model.numVertices, 0);
    EXPECT_EQ(model.vertices, nullptr);
}

void expectVertex(const Vertex& held, const VertexSpec& want) {
    EXPECT_EQ(held.boneId, want.bone);
    EXPECT_EQ(held.position[0], want.x);
    EXPECT_EQ(held.position[1], want.y);
    EXPECT_EQ(held.position[2], want.z);
}

void expectTriangle(const Triangle& held, const TriangleSpec& want) {
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(held.vertexIndices[c], int(want.indices[c]));
        for (int k = 0; k < 3; ++k) EXPECT_EQ(held.vertexNormals[c][k], want.normals[c][k]);
        EXPECT_EQ(held.s[c], want.s[c]);
        EXPECT_EQ(held.t[c], 1.0f - want.t[c]);
    }
}

void expectMesh(const Mesh& held, const GroupSpec& want) {
    int material = want.materialByte > 127 ? int(want.materialByte) - 256 : int(want.materialByte);
    EXPECT_EQ(held.materialIndex, material);
    ASSERT_EQ(held.triangleCount, int(want.triangles.size()));
    for (std::size_t k = 0; k < want.triangles.size(); ++k) EXPECT_EQ(held.triangleIndices[k], int(want.triangles[k]));
}

void expectMaterial(const Material& held, const MaterialSpec& want) {
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(held.ambient[k], want.ambient[k]);
        EXPECT_EQ(held.diffuse[k], want.diffuse[k]);
        EXPECT_EQ(held.specular[k], want.specular[k]);
        EXPECT_EQ(held.emissive[k], want.emissive[k]);
    }
    EXPECT_EQ(held.shininess, want.shininess);
    EXPECT_EQ(held.texture, 0u);
    ASSERT_NE(held.textureFilename, nullptr);
    EXPECT_EQ(std::string(held.textureFilename), want.texture);
}

// As many records held as planned, each as planned (a failure names the
// record's kind and index).
template <class Held, class Want>
void expectRecords(const char* kind, const Held* held, int heldCount, const std::vector<Want>& wants,
                   void (*expectOne)(const Held&, const Want&)) {
    ASSERT_EQ(heldCount, int(wants.size())) << kind;
    for (std::size_t i = 0; i < wants.size(); ++i) {
        SCOPED_TRACE(std::string(kind) + " " + std::to_string(i));
        expectOne(held[i], wants[i]);
    }
}

void expectHolds(const Model& model, const ModelSpec& plan) {
    expectRecords("vertex", model.vertices, model.numVertices, plan.vertices, expectVertex);
    expectRecords("triangle", model.triangles, model.numTriangles, plan.triangles, expectTriangle);
    expectRecords("mesh", model.meshes, model.numMeshes, plan.groups, expectMesh);
    expectRecords("material", model.materials, model.numMaterials, plan.materials, expectMaterial);
}

class Ms3dModelTest : public ::testing::Test {
protected:
    void SetUp() override { textureRequests.clear(); }
};

// ---- header ---------------------------------------------------------------

TEST_F(Ms3dModelTest, EmptyVersion4FileOf22BytesLoadsWithEmptyArrays) {
    std::vector<unsigned char> bytes = fileOf(ModelSpec{});
    ASSERT_EQ(bytes.size(), 22u);
    Ms3dModel model;
    EXPECT_TRUE(loadBytes(model, bytes));
    expectEmpty(model);
}

TEST_F(Ms3dModelTest, OnlyVersions3And4AreAccepted) {
    const int versions[] = {-1, 0, 2, 3, 4, 5, 256 + 4, 0x7FFFFFFF, int(0x80000003u)};
    for (int version : versions) {
        ModelSpec plan = richModel();
        plan.version = version;
        Ms3dModel model;
        bool accepted = version == 3 || version == 4;
        EXPECT_EQ(loadBytes(model, fileOf(plan)), accepted) << "version " << version;
        if (!accepted) expectEmpty(model);
    }
}

TEST_F(Ms3dModelTest, EverySignatureByteMatters) {
    const std::vector<unsigned char> good = fileOf(richModel());
    for (std::size_t i = 0; i < 10; ++i) {
        for (unsigned char replacement : {static_cast<unsigned char>(good[i] ^ 0x20), static_cast<unsigned char>(0)}) {
            std::vector<unsigned char> bytes = good;
            bytes[i] = replacement;
            Ms3dModel model;
            EXPECT_FALSE(loadBytes(model, bytes)) << "byte " << i << " = " << int(replacement);
            expectEmpty(model);
        }
    }
    Ms3dModel model;
    EXPECT_TRUE(loadBytes(model, good));
}

// ---- records ----------------------------------------------------------------

TEST_F(Ms3dModelTest, RecordsAreDecodedLittleEndianFromExactOffsets) {
    // One vertex and one triangle written out by hand, so the check does not
    // rest on the same layout code as the builder.
    const unsigned char bytes[] = {
        'M',  'S',  '3',  'D',  '0',  '0',  '0',  '0',  '0',  '0',  4,    0,    0,    0,           // header
        1,    0,                                                                                   // one vertex
        0xFF, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x20, 0x41, 0xFE, 0x01,  // the vertex
        1,    0,                                                                                   // one triangle
        0,    0,    0x34, 0x12, 0x01, 0x00, 0xFF, 0xFF,                          // flags, indices 0x1234, 1, 65535
        0,    0,    0x80, 0x3F, 0,    0,    0,    0,    0,    0,    0,    0,     // normal 0: (1, 0, 0)
        0,    0,    0,    0,    0,    0,    0x80, 0x3F, 0,    0,    0,    0,     // normal 1: (0, 1, 0)
        0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0x80, 0x3F,  // normal 2: (0, 0, 1)
        0,    0,    0,    0x3F, 0,    0,    0x80, 0x3E, 0,    0,    0x40, 0x3F,  // s: 0.5, 0.25, 0.75
        0,    0,    0,    0,    0,    0,    0x80, 0x3E, 0,    0,    0x80, 0x3F,  // t: 0, 0.25, 1
        0,    0,                                                                 // smoothing group, group index
        0,    0,                                                                 // no groups
        0,    0,                                                                 // no materials
    };
    Ms3dModel model;
    ASSERT_TRUE(model.loadFromBuffer(bytes, sizeof bytes));
    ASSERT_EQ(model.numVertices, 1);
    EXPECT_EQ(model.vertices[0].position[0], 1.0f);
    EXPECT_EQ(model.vertices[0].position[1], -2.0f);
    EXPECT_EQ(model.vertices[0].position[2], 10.0f);
    EXPECT_EQ(model.vertices[0].boneId, -2);
    ASSERT_EQ(model.numTriangles, 1);
    const Triangle& t = model.triangles[0];
    EXPECT_EQ(t.vertexIndices[0], 0x1234);
    EXPECT_EQ(t.vertexIndices[1], 1);
    EXPECT_EQ(t.vertexIndices[2], 65535);
    for (int c = 0; c < 3; ++c)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(t.vertexNormals[c][k], c == k ? 1.0f : 0.0f);
    EXPECT_EQ(t.s[0], 0.5f);
    EXPECT_EQ(t.s[1], 0.25f);
    EXPECT_EQ(t.s[2], 0.75f);
    // t = (0, 0.25, 1) in the file is held as (1, 0.75, 0).
    EXPECT_EQ(t.t[0], 1.0f);
    EXPECT_EQ(t.t[1], 0.75f);
    EXPECT_EQ(t.t[2], 0.0f);
}

TEST_F(Ms3dModelTest, GroupMaterialIndexByteIsSignExtended) {
    const struct {
        unsigned byte;
        int held;
    } cases[] = {{0xFF, -1}, {0x00, 0}, {0x7F, 127}, {0x80, -128}, {0xFE, -2}};
    for (const auto& c : cases) {
        ModelSpec plan;
        plan.groups = {{{5}, c.byte}};
        Ms3dModel model;
        ASSERT_TRUE(loadBytes(model, fileOf(plan)));
        ASSERT_EQ(model.numMeshes, 1);
        EXPECT_EQ(model.meshes[0].materialIndex, c.held) << "byte " << c.byte;
    }
}

TEST_F(Ms3dModelTest, TextureNameFillingItsWholeFieldIsCutAtTheField) {
    ModelSpec plan = richModel();
    const std::string fullName(128, 'n');
    plan.materials[0].texture = fullName;
    std::vector<unsigned char> bytes = fileOf(plan);
    Ms3dModel model;
    ASSERT_TRUE(loadBytes(model, bytes));
    ASSERT_NE(model.materials[0].textureFilename, nullptr);
    // The alpha-map name that follows must not run into the copy.
    EXPECT_EQ(std::string(model.materials[0].textureFilename), fullName);

    // The last material's name field runs into the end of the buffer.
    plan.materials = {plan.materials[0]};
    bytes = fileOf(plan);
    bytes.resize(bytes.size() - 128);       // drop the alpha-map name ...
    bytes.resize(bytes.size() + 128, 'z');  // ... and put non-NUL bytes there instead
    ASSERT_TRUE(loadBytes(model, bytes));
    EXPECT_EQ(std::string(model.materials[0].textureFilename), fullName);
}

TEST_F(Ms3dModelTest, FullModelRoundTripsEveryField) {
    const ModelSpec plan = richModel();
    Ms3dModel model;
    ASSERT_TRUE(loadBytes(model, fileOf(plan)));
    expectHolds(model, plan);
}

TEST_F(Ms3dModelTest, BytesAfterTheMaterialsAreIgnored) {
    const ModelSpec plan = richModel();
    std::vector<unsigned char> bytes = fileOf(plan);
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5, 6, 7, 8, 9});
    Ms3dModel model;
    ASSERT_TRUE(loadBytes(model, bytes));
    expectHolds(model, plan);
}

// ---- short and damaged files ------------------------------------------------

TEST_F(Ms3dModelTest, TruncationAtEveryOffsetFailsAndLeavesTheModelEmpty) {
    const std::vector<unsigned char> bytes = fileOf(richModel());
    Ms3dModel model;
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        // A copy of exactly that length, so the sanitizers see any over-read.
        std::vector<unsigned char> shortFile(bytes.begin(), bytes.begin() + std::ptrdiff_t(length));
        ASSERT_TRUE(loadBytes(model, bytes));
        EXPECT_FALSE(model.loadFromBuffer(length ? shortFile.data() : nullptr, length)) << "length " << length;
        expectEmpty(model);
    }
}

TEST_F(Ms3dModelTest, CountsLargerThanTheFileAreRefused) {
    // Each section claims the largest count with almost nothing behind it.
    for (int section = 0; section < 4; ++section) {
        ModelSpec plan;
        std::vector<unsigned char> bytes = fileOf(plan);
        const std::size_t countOffset = 14 + 2 * std::size_t(section);
        bytes[countOffset] = 0xFF;
        bytes[countOffset + 1] = 0xFF;
        bytes.resize(bytes.size() + 400, 0);
        Ms3dModel model;
        EXPECT_FALSE(loadBytes(model, bytes)) << "section " << section;
        expectEmpty(model);
    }
    // A group whose index list runs past the end.
    ModelSpec plan;
    plan.groups = {{{1, 2, 3}, 0}};
    std::vector<unsigned char> bytes = fileOf(plan);
    bytes[14 + 2 + 2 + 2 + 33] = 200;  // the group's triangle count
    Ms3dModel model;
    EXPECT_FALSE(loadBytes(model, bytes));
    expectEmpty(model);
}

// ---- files --------------------------------------------------------------

std::string writeTempFile(const std::string& name, const std::vector<unsigned char>& bytes) {
    std::string path = ::testing::TempDir() + "kestrine_model_" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return path;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}

TEST_F(Ms3dModelTest, LoadReadsTheWholeFileAndMakesNoTextures) {
    const ModelSpec plan = richModel();
    const std::string path = writeTempFile("good.data", fileOf(plan));
    Ms3dModel model;
    ASSERT_TRUE(model.load(path.c_str()));
    expectHolds(model, plan);  // every texture 0, though the first material names a file
    std::remove(path.c_str());
}

TEST_F(Ms3dModelTest, MissingEmptyOrShortFilesAreRefusedLeavingTheModelEmpty) {
    Ms3dModel model;
    const std::string good = writeTempFile("reload.data", fileOf(richModel()));
    ASSERT_TRUE(model.load(good.c_str()));

    const std::string missing = ::testing::TempDir() + "kestrine_model_no_such_file.data";
    std::remove(missing.c_str());
    EXPECT_FALSE(model.load(missing.c_str()));
    expectEmpty(model);
    // Opening must not have created it.
    std::FILE* probe = std::fopen(missing.c_str(), "rb");
    EXPECT_EQ(probe, nullptr);
    if (probe) std::fclose(probe);

    const std::string empty = writeTempFile("empty.data", {});
    ASSERT_TRUE(model.load(good.c_str()));
    EXPECT_FALSE(model.load(empty.c_str()));
    expectEmpty(model);

    std::vector<unsigned char> bytes = fileOf(richModel());
    bytes.resize(bytes.size() - 1);
    const std::string shortFile = writeTempFile("short.data", bytes);
    ASSERT_TRUE(model.load(good.c_str()));
    EXPECT_FALSE(model.load(shortFile.c_str()));
    expectEmpty(model);

    EXPECT_FALSE(model.load(nullptr));
    for (const std::string& path : {good, empty, shortFile}) std::remove(path.c_str());
}

TEST_F(Ms3dModelTest, LoadingAgainReplacesThePreviousModel) {
    Ms3dModel model;
    ASSERT_TRUE(loadBytes(model, fileOf(richModel())));
    ModelSpec small;
    small.vertices = {{1, 2, 3, 4}};
    ASSERT_TRUE(loadBytes(model, fileOf(small)));
    expectHolds(model, small);
}

// ---- texture pass -------------------------------------------------------

TEST_F(Ms3dModelTest, TexturePassAsksOnlyForNamedTexturesExactlyAsStored) {
    ModelSpec plan = richModel();
    plan.materials.push_back(plan.materials[0]);
    plan.materials[2].texture = "relative name with spaces.bmp";
    plan.materials.push_back(plan.materials[1]);  // another empty name
    Ms3dModel model;
    ASSERT_TRUE(loadBytes(model, fileOf(plan)));
    model.loadMaterialTextures(recordTextureRequest);
    ASSERT_EQ(textureRequests.size(), 2u);
    EXPECT_EQ(textureRequests[0], "c:\\tolvin\\Solvane1.bmp");
    EXPECT_EQ(textureRequests[1], "relative name with spaces.bmp");
    EXPECT_EQ(model.materials[0].texture, 101u);
    EXPECT_EQ(model.materials[1].texture, 0u);
    EXPECT_EQ(model.materials[2].texture, 102u);
    EXPECT_EQ(model.materials[3].texture, 0u);

    // Without a loader no texture can be made: every name goes back to 0.
    model.loadMaterialTextures(nullptr);
    for (int i = 0; i < model.numMaterials; ++i) EXPECT_EQ(model.materials[i].texture, 0u) << "material " << i;
    EXPECT_EQ(textureRequests.size(), 2u);
}

TEST_F(Ms3dModelTest, TexturePassOverEmptyNamesTouchesNothing) {
    ModelSpec plan;
    plan.materials = {richModel().materials[1], richModel().materials[1]};
    Ms3dModel model;
    ASSERT_TRUE(loadBytes(model, fileOf(plan)));
    model.materials[0].texture = 55;  // a stale name must be replaced by 0
    model.loadMaterialTextures(recordTextureRequest);
    EXPECT_TRUE(textureRequests.empty());
    EXPECT_EQ(model.materials[0].texture, 0u);
    EXPECT_EQ(model.materials[1].texture, 0u);

    Ms3dModel nothing;
    nothing.loadMaterialTextures(recordTextureRequest);
    EXPECT_TRUE(textureRequests.empty());
}

}  // namespace
