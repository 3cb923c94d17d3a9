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
static_assert(kVertexCount - 1 <= 0xFFFF, "16-bit indices reach every vertex of the grid");

// Vertex (column, row) is element row x 256 + column, so the quads of a
// band of rows use one compact run of vertices, and every band the same
// corner list, with the arrays moved on to the band's first row.
GLushort bandCorners[kWaterMeshBandRows * (kWaterCapacity - 1) * 4];
int indexedColumns = -1;
GLfloat vertexPositions[kVertexCount][3];
GLfloat vertexColours[kVertexCount][3];

int vertexIndex(int column, int row) { return row * kWaterCapacity + column; }

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

// Every band of the mesh from the arrays as they were last written.
void submitBands(int columns, int rows) {
    const GLsizei cornersPerRow = 4 * (columns - 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    for (int first = 0; first < rows - 1; first += kWaterMeshBandRows) {
        const int bandRows = first + kWaterMeshBandRows < rows - 1 ? kWaterMeshBandRows : rows - 1 - first;
        glVertexPointer(3, GL_FLOAT, 0, vertexPositions[vertexIndex(0, first)]);
        glColorPointer(3, GL_FLOAT, 0, vertexColours[vertexIndex(0, first)]);
        glDrawElements(GL_QUADS, bandRows * cornersPerRow, GL_UNSIGNED_SHORT, bandCorners);
        glFlush();
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

}  // namespace

const Tint& waterBaseTint() { return waterTints[tintIndex >= 0 && tintIndex < 12 ? tintIndex : 10]; }

void drawWaterMesh() {
    const int columns = columnsInUse();
    const int rows = rowsInUse();
    if (columns != indexedColumns) indexBand(columns);
    if (columns < 2 || rows < 2) return;
    writeVertices(waterBaseTint(), columns, rows);
    submitBands(columns, rows);
}

void drawWrittenWaterMesh() {
    const int columns = columnsInUse();
    const int rows = rowsInUse();
    if (columns != indexedColumns || columns < 2 || rows < 2) return;
    submitBands(columns, rows);
}
