// The water surface drawn as a height-coloured mesh: one quad per grid cell,
// its corners (j, i), (j + 1, i), (j + 1, i + 1), (j, i + 1), rows outer and
// columns inner, each corner coloured base + (0.2, 0.2, 0.5) x its height.
#pragma once
#include "renderer/renderer_state.h"

struct Tint {
    float red, green, blue;
};
// The water's base colours; tintIndex picks one.
extern const Tint waterTints[12];
// waterTints[tintIndex], or row 10 when tintIndex is out of range.
const Tint& waterBaseTint();

// The mesh goes to the driver this many rows of quads at a time, each band
// flushed: a driver that rasterises on threads of its own (Mesa's llvmpipe)
// starts on one band while the next is sent, and the memory it bins a band's
// triangles in stays small enough to be reused from band to band instead of
// being given back to the system and faulted in again every frame.
constexpr int kWaterMeshBandRows = 16;

// GL entry points beyond 1.1, from the platform's lookup for the context
// that is current (wglGetProcAddress, OSMesaGetProcAddress); set before the
// scene starts. Without one the mesh is drawn from GL 1.1 client arrays.
using GlProc = void (*)();
using GlProcLookup = GlProc (*)(const char* name);
extern GlProcLookup glProcLookup;

// Starts the mesh for the context now current (initScene calls it): with a
// buffer object for the vertices and one for the corner list where the
// context offers GL_ARB_vertex_buffer_object, else with client arrays.
// Contexts that share the current one's objects draw from the same buffers.
void startWaterMesh();
// True when the mesh goes through buffer objects.
bool waterMeshInBuffers();

// The mesh in the current frame from two vertex arrays, a position and a
// colour per vertex written here each frame, and one band's list of quad
// corners, made at the first frame (again only if the grid's width changes)
// and used for every band.
void drawWaterMesh();
// The mesh again from the arrays (or buffers) as drawWaterMesh last wrote
// them: a second window drawn in the same frame shows the same surface
// without writing every vertex again.
void drawWrittenWaterMesh();
