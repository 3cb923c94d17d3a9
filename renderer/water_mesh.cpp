// The water mesh as vertex arrays: each of the 65,536 vertices is written
// once a frame and handed to the driver with a few draw calls, instead of
// four times in 65,025 begin/end quads with a colour call per corner. The
// quads, their corner order and their colours are the same.
#include "renderer/water_mesh.h"

#include "renderer/gl_api.h"

const Tint waterTints[12] = {
    {0.1f, 0.1f, 0.3f}, {0.3f, 0.1f, 0.1f}, {0.1f, 0.3f, 0.1f}, {0.1f, 0.1f, 0.6f},
    {0.6f, 0.1f, 0.1f}, {0.1f, 0.6f, 0.1f}, {0.2f, 0.2f, 0.2f}, {0.6f, 0.6f, 0.6f},
    {0.3f, 0.3f, 0.1f}, {0.3f, 0.1f, 0.3f}, {0.1f, 0.3f, 0.3f}, {0.05f, 0.05f, 0.05f},
};

namespace {

constexpr int kVertexCount = kWaterCapacity * kWaterCapacity;
constexpr int kMaxQuads = (kWaterCapacity - 1) * (kWaterCapacity - 1);
static_assert(kVertexCount - 1 <= 0xFFFF, "every vertex must be reachable by a 16-bit index");

// Vertex (column, row) is element row x 256 + column: a band of rows of
// quads uses one compact range of vertices.
GLushort quadCorners[kMaxQuads * 4];
GLsizei cornersPerRow = 0;
int indexedColumns = -1;
int indexedRows = -1;
GLfloat vertexPositions[kVertexCount][3];
GLfloat vertexColours[kVertexCount][3];

GLushort vertexIndex(int column, int row) { return static_cast<GLushort>(row * kWaterCapacity + column); }

void indexQuads(int columns, int rows) {
    GLushort* corner = quadCorners;
    for (int i = 0; i < rows - 1; ++i) {
        for (int j = 0; j < columns - 1; ++j) {
            *corner++ = vertexIndex(j, i);
            *corner++ = vertexIndex(j + 1, i);
            *corner++ = vertexIndex(j + 1, i + 1);
            *corner++ = vertexIndex(j, i + 1);
        }
    }
    cornersPerRow = columns > 1 ? 4 * (columns - 1) : 0;
    indexedColumns = columns;
    indexedRows = rows;
}

// In double and then rounded, as a colour call with these sums would be.
void writeVertices(const Tint& base, int columns, int rows) {
    for (int column = 0; column < columns; ++column) {
        const GridVertex* cells = waterGrid.surface[column];
        for (int row = 0; row < rows; ++row) {
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

int inUse(int count) { return count < 0 ? 0 : (count > kWaterCapacity ? kWaterCapacity : count); }

}  // namespace

const Tint& waterBaseTint() { return waterTints[tintIndex >= 0 && tintIndex < 12 ? tintIndex : 10]; }

void drawWaterMesh() {
    const int columns = inUse(gridWidth);
    const int rows = inUse(gridHeight);
    if (columns != indexedColumns || rows != indexedRows) indexQuads(columns, rows);
    if (cornersPerRow == 0 || rows < 2) return;
    writeVertices(waterBaseTint(), columns, rows);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertexPositions);
    glColorPointer(3, GL_FLOAT, 0, vertexColours);
    for (int first = 0; first < rows - 1; first += kWaterMeshBandRows) {
        const int count = first + kWaterMeshBandRows < rows - 1 ? kWaterMeshBandRows : rows - 1 - first;
        glDrawElements(GL_QUADS, count * cornersPerRow, GL_UNSIGNED_SHORT, quadCorners + first * cornersPerRow);
        glFlush();
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
