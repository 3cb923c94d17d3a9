// MilkShape 3D binary model (versions 3 and 4), read whole into memory.
#pragma once
#include <cstddef>
#include <cstdint>

struct Vertex {
    int8_t boneId;
    float position[3];
};

struct Triangle {
    float vertexNormals[3][3];
    float s[3];
    float t[3];  // 1 - the file's t
    int vertexIndices[3];
};

struct Mesh {
    int materialIndex;  // -1 = none
    int triangleCount;
    int* triangleIndices;
};

struct Material {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float emissive[4];
    float shininess;
    unsigned int texture;  // GL texture name, 0 = none
    char* textureFilename;
};

class Model {
public:
    Model() = default;
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;
    virtual ~Model();
    virtual bool load(const char* path) = 0;
    // Makes a texture from an image file; 0 when there is none.
    using TextureLoader = unsigned int (*)(const char* path);
    // Gives each material the texture that loader makes from its file name;
    // 0 for an empty name (no file is touched) and for every material when
    // there is no loader.
    void loadMaterialTextures(TextureLoader loader);

    int numMeshes = 0;
    Mesh* meshes = nullptr;
    int numMaterials = 0;
    Material* materials = nullptr;
    int numTriangles = 0;
    Triangle* triangles = nullptr;
    int numVertices = 0;
    Vertex* vertices = nullptr;

protected:
    // Frees every array and name and sets the counts to 0.
    void release();
};

class Ms3dModel : public Model {
public:
    // Reads the whole file; false (and an empty model) when it is missing,
    // not a version 3 or 4 file, or shorter than its counts say. Makes no
    // textures, as no GL context exists yet when the program reads its model.
    bool load(const char* path) override;
    // Parses an in-memory file; false when the data is not a complete model.
    bool loadFromBuffer(const unsigned char* data, std::size_t length);
};
