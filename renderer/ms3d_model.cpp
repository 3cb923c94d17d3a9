// MilkShape 3D binary model loader. The whole file is read into one buffer
// and parsed by a reader that checks every count and record against the
// buffer's length before touching it, so a short or damaged file is refused
// instead of being read past its end.
#include "renderer/ms3d_model.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "files/whole_file.h"

namespace {

constexpr char kSignature[10] = {'M', 'S', '3', 'D', '0', '0', '0', '0', '0', '0'};
constexpr int kOldestVersion = 3;
constexpr int kNewestVersion = 4;

constexpr std::size_t kHeaderSize = 14;
constexpr std::size_t kVertexRecordSize = 15;
constexpr std::size_t kTriangleRecordSize = 70;
constexpr std::size_t kGroupFixedSize = 36;  // flags, name, count, material index
constexpr std::size_t kMaterialRecordSize = 361;
constexpr std::size_t kGroupNameSize = 32;
constexpr std::size_t kTextureNameSize = 128;

// Sequential little-endian reader over a byte buffer. Callers ask has(n)
// before reading n bytes; the read functions themselves never check.
struct ByteReader {
    const unsigned char* data;
    std::size_t length;
    std::size_t offset;

    bool has(std::size_t count) const { return count <= length - offset; }
    void skip(std::size_t count) { offset += count; }

    unsigned char u8() { return data[offset++]; }

    int signedByte() {
        int value = u8();
        return value > 127 ? value - 256 : value;
    }

    unsigned int u16() {
        unsigned int value = data[offset] | (data[offset + 1] << 8);
        offset += 2;
        return value;
    }

    std::uint32_t u32() {
        std::uint32_t value = std::uint32_t(data[offset]) | (std::uint32_t(data[offset + 1]) << 8) |
                              (std::uint32_t(data[offset + 2]) << 16) | (std::uint32_t(data[offset + 3]) << 24);
        offset += 4;
        return value;
    }

    std::int32_t i32() {
        std::uint32_t bits = u32();
        std::int32_t value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    float f32() {
        std::uint32_t bits = u32();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    void floats(float* out, int count) {
        for (int i = 0; i < count; ++i) out[i] = f32();
    }
};

bool readHeader(ByteReader& in) {
    if (!in.has(kHeaderSize)) return false;
    if (std::memcmp(in.data, kSignature, sizeof kSignature) != 0) return false;
    in.skip(sizeof kSignature);
    std::int32_t version = in.i32();
    return version >= kOldestVersion && version <= kNewestVersion;
}

// Reads a 16-bit count and checks that count records of at least recordSize
// bytes each still fit in the buffer.
bool readCount(ByteReader& in, std::size_t recordSize, int& count) {
    if (!in.has(2)) return false;
    count = int(in.u16());
    return in.has(std::size_t(count) * recordSize);
}

// A section of the file: a 16-bit count, then that many records, each read
// by readRecord. The array is made only once the records are known to fit.
template <class Record>
bool readSection(ByteReader& in, std::size_t recordSize, Record*& records, int& recordCount,
                 bool (*readRecord)(ByteReader&, Record&)) {
    int count = 0;
    if (!readCount(in, recordSize, count)) return false;
    if (count == 0) return true;
    records = new (std::nothrow) Record[count]();
    if (!records) return false;
    recordCount = count;
    for (int i = 0; i < count; ++i) {
        if (!readRecord(in, records[i])) return false;
    }
    return true;
}

bool readVertex(ByteReader& in, Vertex& vertex) {
    in.skip(1);  // flags
    in.floats(vertex.position, 3);
    vertex.boneId = static_cast<std::int8_t>(in.signedByte());
    in.skip(1);  // reference count
    return true;
}

bool readTriangle(ByteReader& in, Triangle& triangle) {
    in.skip(2);  // flags
    for (int corner = 0; corner < 3; ++corner) triangle.vertexIndices[corner] = int(in.u16());
    for (int corner = 0; corner < 3; ++corner) in.floats(triangle.vertexNormals[corner], 3);
    in.floats(triangle.s, 3);
    // The file counts t from the top of the image; GL counts it from the bottom.
    for (int corner = 0; corner < 3; ++corner) triangle.t[corner] = 1.0f - in.f32();
    in.skip(2);  // smoothing group, group index
    return true;
}

bool readGroup(ByteReader& in, Mesh& mesh) {
    if (!in.has(kGroupFixedSize)) return false;
    in.skip(1 + kGroupNameSize);  // flags, name
    int count = int(in.u16());
    if (!in.has(std::size_t(count) * 2 + 1)) return false;
    if (count > 0) {
        mesh.triangleIndices = new (std::nothrow) int[count];
        if (!mesh.triangleIndices) return false;
        mesh.triangleCount = count;
        for (int i = 0; i < count; ++i) mesh.triangleIndices[i] = int(in.u16());
    }
    mesh.materialIndex = in.signedByte();
    return true;
}

// The name field need not hold a NUL: the copy stops at the first NUL or at
// the end of the field, whichever comes first.
char* copyFieldString(const unsigned char* field, std::size_t fieldSize) {
    const void* end = std::memchr(field, 0, fieldSize);
    std::size_t length = end ? std::size_t(static_cast<const unsigned char*>(end) - field) : fieldSize;
    char* text = new (std::nothrow) char[length + 1];
    if (!text) return nullptr;
    std::memcpy(text, field, length);
    text[length] = '\0';
    return text;
}

bool readMaterial(ByteReader& in, Material& material) {
    in.skip(kGroupNameSize);  // name
    in.floats(material.ambient, 4);
    in.floats(material.diffuse, 4);
    in.floats(material.specular, 4);
    in.floats(material.emissive, 4);
    material.shininess = in.f32();
    in.skip(4 + 1);  // transparency, mode
    material.texture = 0;
    material.textureFilename = copyFieldString(in.data + in.offset, kTextureNameSize);
    if (!material.textureFilename) return false;
    in.skip(kTextureNameSize * 2);  // texture name, alpha-map name
    return true;
}

bool readModel(ByteReader& in, Model& model) {
    return readHeader(in) && readSection(in, kVertexRecordSize, model.vertices, model.numVertices, readVertex) &&
           readSection(in, kTriangleRecordSize, model.triangles, model.numTriangles, readTriangle) &&
           readSection(in, kGroupFixedSize, model.meshes, model.numMeshes, readGroup) &&
           readSection(in, kMaterialRecordSize, model.materials, model.numMaterials, readMaterial);
}

}  // namespace

void Model::release() {
    for (int i = 0; i < numMeshes; ++i) delete[] meshes[i].triangleIndices;
    for (int i = 0; i < numMaterials; ++i) delete[] materials[i].textureFilename;
    delete[] meshes;
    delete[] materials;
    delete[] triangles;
    delete[] vertices;
    meshes = nullptr;
    materials = nullptr;
    triangles = nullptr;
    vertices = nullptr;
    numMeshes = 0;
    numMaterials = 0;
    numTriangles = 0;
    numVertices = 0;
}

Model::~Model() { release(); }

void Model::loadMaterialTextures(TextureLoader loader) {
    for (int i = 0; i < numMaterials; ++i) {
        Material& material = materials[i];
        const char* name = material.textureFilename;
        material.texture = (loader && name && name[0] != '\0') ? loader(name) : 0;
    }
}

// The texture pass gets no loader: the model is read before the GL context
// exists, so it could make no texture objects and would only repeat an image
// error box. initScene runs the pass again once the context is current.
bool Ms3dModel::load(const char* path) {
    release();
    if (!path) return false;
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes) || !loadFromBuffer(bytes.data(), bytes.size())) return false;
    loadMaterialTextures(nullptr);
    return true;
}

bool Ms3dModel::loadFromBuffer(const unsigned char* data, std::size_t length) {
    release();
    if (!data) return false;
    ByteReader in{data, length, 0};
    const bool complete = readModel(in, *this);
    if (!complete) release();
    return complete;
}
