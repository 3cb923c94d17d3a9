// The water mesh as vertex arrays: each of the 65,536 vertices is written
// once a frame and handed to the driver with a few draw calls, instead of
// four times in 65,025 begin/end quads with a colour call per corner. The
// quads, their corner order and their colours are the same.
//
// Where the context offers buffer objects, the vertices are copied into a
// buffer object a frame and the corner list lives in another, made once:
// the driver then reads both in place, where with client arrays it copies
// every vertex into memory of its own at every draw (on Mesa that copy, into
// pages freshly faulted in, was most of the frame's CPU time), and the other
// monitors' contexts, which share the objects, draw from them as they are.
// The vertices take turns in three buffers, mapped for writing: the one a
// frame writes was last drawn from two frames before, so the GPU is done
// with it and the map does not wait. (Orphaning one buffer with
// glBufferData would let the driver hand over fresh memory every frame,
// the cost the buffers are there to save; Mesa's threaded no-op driver also
// corrupts its heap on large glBufferSubData calls, which the map avoids.)
#include "renderer/water_mesh.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "renderer/gl_api.h"

const Tint waterTints[12] = {
    {0.1f, 0.1f, 0.3f}, {0.3f, 0.1f, 0.1f}, {0.1f, 0.3f, 0.1f}, {0.1f, 0.1f, 0.6f},
    {0.6f, 0.1f, 0.1f}, {0.1f, 0.6f, 0.1f}, {0.2f, 0.2f, 0.2f}, {0.6f, 0.6f, 0.6f},
    {0.3f, 0.3f, 0.1f}, {0.3f, 0.1f, 0.3f}, {0.1f, 0.3f, 0.3f}, {0.05f, 0.05f, 0.05f},
};

GlProcLookup glProcLookup = nullptr;

namespace {

constexpr int kVertexCount = kWaterCapacity * kWaterCapacity;
static_assert(kVertexCount - 1 <= 0xFFFF, "16-bit indices reach every vertex of the grid");

// Vertex (column, row) is element row x 256 + column, so the quads of a
// band of rows use one compact run of vertices, and every band the same
// corner list, with the arrays moved on to the band's first row.
GLushort bandCorners[kWaterMeshBandRows * (kWaterCapacity - 1) * 4];
int indexedColumns = -1;
GLfloat vertexPositions[kVertexCount][3];
GLfloat vertexColours[kVertexCount][3];

// GL_ARB_vertex_buffer_object's entry points and names, and GL 1.2's
// glDrawRangeElements, which spares the driver a scan of the indices for
// the range of vertices they use.
constexpr GLenum kArrayBuffer = 0x8892;
constexpr GLenum kElementArrayBuffer = 0x8893;
constexpr GLenum kStreamDraw = 0x88E0;
constexpr GLenum kStaticDraw = 0x88E4;
constexpr GLenum kWriteOnly = 0x88B9;
using GenBuffersProc = void(APIENTRY*)(GLsizei, GLuint*);
using BindBufferProc = void(APIENTRY*)(GLenum, GLuint);
using BufferDataProc = void(APIENTRY*)(GLenum, std::ptrdiff_t, const void*, GLenum);
using BufferSubDataProc = void(APIENTRY*)(GLenum, std::ptrdiff_t, std::ptrdiff_t, const void*);
using MapBufferProc = void*(APIENTRY*)(GLenum, GLenum);
using UnmapBufferProc = GLboolean(APIENTRY*)(GLenum);
using DrawRangeElementsProc = void(APIENTRY*)(GLenum, GLuint, GLuint, GLsizei, GLenum, const void*);

constexpr int kVertexBuffers = 3;

struct MeshBuffers {
    GenBuffersProc genBuffers;
    BindBufferProc bindBuffer;
    BufferDataProc bufferData;
    BufferSubDataProc bufferSubData;
    MapBufferProc mapBuffer;
    UnmapBufferProc unmapBuffer;
    DrawRangeElementsProc drawRangeElements;
    GLuint vertices[kVertexBuffers];  // each: every position, then every colour
    int written;                      // the vertex buffer written last
    GLuint corners;                   // bandCorners
};
MeshBuffers buffers;  // corners 0: the GL 1.1 client arrays

constexpr std::ptrdiff_t kColoursOffset = sizeof vertexPositions;

int vertexIndex(int column, int row) { return row * kWaterCapacity + column; }

// An offset into the bound buffer object, in the pointer a GL call takes.
const void* bufferOffset(std::size_t bytes) {
    return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(bytes));
}

bool extensionOffered(const char* name) {
    const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const std::size_t length = std::strlen(name);
    for (const char* at = list; at != nullptr && (at = std::strstr(at, name)) != nullptr; at += length) {
        const bool starts = at == list || at[-1] == ' ';
        if (starts && (at[length] == ' ' || at[length] == '\0')) return true;
    }
    return false;
}

template <typename Proc>
Proc lookUp(const char* name) {
    return reinterpret_cast<Proc>(glProcLookup(name));
}

// The context's buffer objects for the mesh; all zero where it has none.
MeshBuffers makeBuffers() {
    if (glProcLookup == nullptr || !extensionOffered("GL_ARB_vertex_buffer_object")) return MeshBuffers{};
    MeshBuffers made = {lookUp<GenBuffersProc>("glGenBuffersARB"),
                        lookUp<BindBufferProc>("glBindBufferARB"),
                        lookUp<BufferDataProc>("glBufferDataARB"),
                        lookUp<BufferSubDataProc>("glBufferSubDataARB"),
                        lookUp<MapBufferProc>("glMapBufferARB"),
                        lookUp<UnmapBufferProc>("glUnmapBufferARB"),
                        lookUp<DrawRangeElementsProc>("glDrawRangeElements"),
                        {0, 0, 0},
                        0,
                        0};
    if (!made.genBuffers || !made.bindBuffer || !made.bufferData || !made.bufferSubData || !made.mapBuffer ||
        !made.unmapBuffer || !made.drawRangeElements)
        return MeshBuffers{};
    // Only the errors of these calls count (a lost context keeps its error).
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
    }
    made.genBuffers(kVertexBuffers, made.vertices);
    made.genBuffers(1, &made.corners);
    for (GLuint vertices : made.vertices) {
        made.bindBuffer(kArrayBuffer, vertices);
        made.bufferData(kArrayBuffer, sizeof vertexPositions + sizeof vertexColours, nullptr, kStreamDraw);
    }
    made.bindBuffer(kArrayBuffer, 0);
    if (glGetError() != GL_NO_ERROR || made.corners == 0) return MeshBuffers{};
    return made;
}

void indexBand(int columns) {
    GLushort* corner = bandCorners;
    for (int i = 0; i < kWaterMeshBandRows; ++i) {
        for (int j = 0; j < columns - 1; ++j) {
            *corner++ = static_cast<GLushort>(vertexIndex(j, i));
            *corner++ = static_cast<GLushort>(vertexIndex(j + 1, i));
            *corner++ = static_cast<GLushort>(vertexIndex(j + 1, i + 1));
            *corner++ = static_cast<GLushort>(vertexIndex(j, i + 1));
        }
    }
    indexedColumns = columns;
    if (buffers.corners == 0) return;
    buffers.bindBuffer(kElementArrayBuffer, buffers.corners);
    buffers.bufferData(kElementArrayBuffer, sizeof bandCorners, bandCorners, kStaticDraw);
    buffers.bindBuffer(kElementArrayBuffer, 0);
}

// The grid lies column by column and the arrays row by row: a block of
// rows at a time keeps both sides of the copy within a few cache lines.
// Colours in double and then rounded, as a colour call with these sums is.
void writeVertices(const Tint& base, int columns, int rows) {
    constexpr int kBlockRows = 16;
    for (int top = 0; top < rows; top += kBlockRows) {
        const int bottom = top + kBlockRows < rows ? top + kBlockRows : rows;
        for (int column = 0; column < columns; ++column) {
            const GridVertex* cells = waterGrid.surface[column];
            for (int row = top; row < bottom; ++row) {
                const GridVertex& cell = cells[row];
                const int v = vertexIndex(column, row);
                vertexPositions[v][0] = cell.x;
                vertexPositions[v][1] = cell.y;
                vertexPositions[v][2] = cell.z;
                const double h = cell.y;
                vertexColours[v][0] = static_cast<GLfloat>(base.red + 0.2 * h);
                vertexColours[v][1] = static_cast<GLfloat>(base.green + 0.2 * h);
                vertexColours[v][2] = static_cast<GLfloat>(base.blue + 0.5 * h);
            }
        }
    }
}

// The rows in use, one run of each array, into the next vertex buffer.
void copyVerticesToBuffer(int rows) {
    const std::size_t bytes = static_cast<std::size_t>(vertexIndex(0, rows)) * 3 * sizeof(GLfloat);
    buffers.written = (buffers.written + 1) % kVertexBuffers;
    buffers.bindBuffer(kArrayBuffer, buffers.vertices[buffers.written]);
    auto* mapped = static_cast<unsigned char*>(buffers.mapBuffer(kArrayBuffer, kWriteOnly));
    if (mapped != nullptr) {
        std::memcpy(mapped, vertexPositions, bytes);
        std::memcpy(mapped + kColoursOffset, vertexColours, bytes);
        buffers.unmapBuffer(kArrayBuffer);
    } else {
        const auto size = static_cast<std::ptrdiff_t>(bytes);
        buffers.bufferSubData(kArrayBuffer, 0, size, vertexPositions);
        buffers.bufferSubData(kArrayBuffer, kColoursOffset, size, vertexColours);
    }
    buffers.bindBuffer(kArrayBuffer, 0);
}

// One band from the buffer objects, its vertices from its first row on.
void drawBufferBand(int first, int bandRows, int columns, GLsizei corners) {
    const std::size_t start = static_cast<std::size_t>(vertexIndex(0, first)) * 3 * sizeof(GLfloat);
    glVertexPointer(3, GL_FLOAT, 0, bufferOffset(start));
    glColorPointer(3, GL_FLOAT, 0, bufferOffset(kColoursOffset + start));
    const GLuint last = static_cast<GLuint>(vertexIndex(columns - 1, bandRows));
    buffers.drawRangeElements(GL_QUADS, 0, last, corners, GL_UNSIGNED_SHORT, bufferOffset(0));
}

// Every band of the mesh from the arrays as they were last written.
void submitBands(int columns, int rows) {
    const GLsizei cornersPerRow = 4 * (columns - 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    if (buffers.corners != 0) {
        buffers.bindBuffer(kArrayBuffer, buffers.vertices[buffers.written]);
        buffers.bindBuffer(kElementArrayBuffer, buffers.corners);
    }
    for (int first = 0; first < rows - 1; first += kWaterMeshBandRows) {
        const int bandRows = first + kWaterMeshBandRows < rows - 1 ? kWaterMeshBandRows : rows - 1 - first;
        if (buffers.corners != 0) {
            drawBufferBand(first, bandRows, columns, bandRows * cornersPerRow);
        } else {
            glVertexPointer(3, GL_FLOAT, 0, vertexPositions[vertexIndex(0, first)]);
            glColorPointer(3, GL_FLOAT, 0, vertexColours[vertexIndex(0, first)]);
            glDrawElements(GL_QUADS, bandRows * cornersPerRow, GL_UNSIGNED_SHORT, bandCorners);
        }
        glFlush();
    }
    if (buffers.corners != 0) {
        buffers.bindBuffer(kElementArrayBuffer, 0);
        buffers.bindBuffer(kArrayBuffer, 0);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

}  // namespace

const Tint& waterBaseTint() { return waterTints[tintIndex >= 0 && tintIndex < 12 ? tintIndex : 10]; }

void startWaterMesh() {
    buffers = makeBuffers();
    indexedColumns = -1;
}

bool waterMeshInBuffers() { return buffers.corners != 0; }

void drawWaterMesh() {
    const int columns = columnsInUse();
    const int rows = rowsInUse();
    if (columns != indexedColumns) indexBand(columns);
    if (columns < 2 || rows < 2) return;
    writeVertices(waterBaseTint(), columns, rows);
    if (buffers.corners != 0) copyVerticesToBuffer(rows);
    submitBands(columns, rows);
}

void drawWrittenWaterMesh() {
    const int columns = columnsInUse();
    const int rows = rowsInUse();
    if (columns != indexedColumns || columns < 2 || rows < 2) return;
    submitBands(columns, rows);
}
