// Feeds arbitrary bytes to the MilkShape 3D parser. A loaded model is walked
// end to end so that any count that disagrees with its array shows up under
// AddressSanitizer.
#include "renderer/ms3d_model.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Stands in for the GL scene's texture maker; reading the whole name makes a
// name without its NUL visible to the sanitizer.
unsigned int measureTextureName(const char* path) { return static_cast<unsigned int>(std::strlen(path)) + 1; }

volatile float sink;

void walk(const Model& model) {
    float sum = 0;
    for (int i = 0; i < model.numVertices; ++i) sum += model.vertices[i].position[2] + model.vertices[i].boneId;
    for (int i = 0; i < model.numTriangles; ++i)
        sum += model.triangles[i].t[2] + float(model.triangles[i].vertexIndices[2]);
    for (int i = 0; i < model.numMeshes; ++i) {
        const Mesh& mesh = model.meshes[i];
        sum += float(mesh.materialIndex);
        for (int k = 0; k < mesh.triangleCount; ++k) sum += float(mesh.triangleIndices[k]);
    }
    for (int i = 0; i < model.numMaterials; ++i)
        sum += model.materials[i].shininess + float(model.materials[i].texture);
    sink = sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Ms3dModel model;
    if (model.loadFromBuffer(data, size)) {
        model.loadMaterialTextures(measureTextureName);
        walk(model);
    }
    return 0;
}
