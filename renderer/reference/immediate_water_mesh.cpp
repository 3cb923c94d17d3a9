#include "renderer/reference/immediate_water_mesh.h"

#include "renderer/gl_api.h"
#include "renderer/water_mesh.h"

namespace {

void waterVertex(const Tint& base, int column, int row) {
    const GridVertex& cell = waterGrid.surface[column][row];
    const double h = cell.y;
    glColor3f(static_cast<float>(base.red + 0.2 * h), static_cast<float>(base.green + 0.2 * h),
              static_cast<float>(base.blue + 0.5 * h));
    glVertex3f(cell.x, cell.y, cell.z);
}

}  // namespace

void drawWaterMeshImmediate(int rowsPerFlush) {
    const Tint& base = waterBaseTint();
    const int columns = columnsInUse();
    const int rows = rowsInUse();
    for (int i = 0; i < rows - 1; ++i) {
        for (int j = 0; j < columns - 1; ++j) {
            glBegin(GL_QUADS);
            waterVertex(base, j, i);
            waterVertex(base, j + 1, i);
            waterVertex(base, j + 1, i + 1);
            waterVertex(base, j, i + 1);
            glEnd();
        }
        if (rowsPerFlush > 0 && ((i + 1) % rowsPerFlush == 0 || i + 1 == rows - 1)) glFlush();
    }
}
