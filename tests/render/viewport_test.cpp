// The view set on every resize, read back from a real (offscreen) GL context.
#include "renderer/viewport.h"

#include <gtest/gtest.h>

#include <cmath>

#include "renderer/gl_api.h"
#include "tools/offscreen/offscreen_context.h"

namespace {

struct Viewport {
    int x, y, width, height;
};

Viewport currentViewport() {
    GLint v[4] = {};
    glGetIntegerv(GL_VIEWPORT, v);
    return {v[0], v[1], v[2], v[3]};
}

// gluPerspective's matrix, column by column, from its definition:
// f = cot(fovy / 2); diagonal f / aspect, f, (far + near) / (near - far);
// -1 below the third diagonal entry; 2 far near / (near - far) right of it.
void expectPerspective(double aspect) {
    const double nearPlane = 0.1f;
    const double farPlane = 200.0;
    const double f = 1.0 / std::tan(35.0 / 2.0 * 3.14159265358979323846 / 180.0);
    double expected[16] = {};
    expected[0] = f / aspect;
    expected[5] = f;
    expected[10] = (farPlane + nearPlane) / (nearPlane - farPlane);
    expected[11] = -1.0;
    expected[14] = 2.0 * farPlane * nearPlane / (nearPlane - farPlane);
    GLdouble actual[16] = {};
    glGetDoublev(GL_PROJECTION_MATRIX, actual);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1e-5 * (1.0 + std::fabs(expected[i]))) << "element " << i;
    }
}

void expectModelViewIdentity() {
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLdouble m[16] = {};
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0 : 0.0) << "element " << i;
}

class ViewportTest : public ::testing::Test {
protected:
    OffscreenContext context{64, 48};

    void SetUp() override {
        ASSERT_TRUE(context.ready());
        // Something else in the matrices first, so a missing reset shows.
        glMatrixMode(GL_MODELVIEW);
        glTranslatef(1.0f, 2.0f, 3.0f);
        glMatrixMode(GL_PROJECTION);
        glScalef(3.0f, 3.0f, 3.0f);
    }
};

TEST_F(ViewportTest, WindowSize) {
    resizeScene(1024, 768);
    const Viewport v = currentViewport();
    EXPECT_EQ(v.x, 0);
    EXPECT_EQ(v.y, 0);
    EXPECT_EQ(v.width, 1024);
    EXPECT_EQ(v.height, 768);
    expectPerspective(1024.0 / 768.0);
    expectModelViewIdentity();
}

TEST_F(ViewportTest, NoHeightCountsAsOne) {
    resizeScene(640, 0);
    const Viewport v = currentViewport();
    EXPECT_EQ(v.width, 640);
    EXPECT_EQ(v.height, 1);
    expectPerspective(640.0);
    expectModelViewIdentity();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ViewportTest, AspectIsNotRoundedToAnInteger) {
    resizeScene(1023, 700);
    expectPerspective(1023.0 / 700.0);
    resizeScene(300, 400);  // taller than wide
    expectPerspective(0.75);
    EXPECT_EQ(currentViewport().width, 300);
}

TEST_F(ViewportTest, NoSizeAtAllIsHarmless) {
    resizeScene(0, 0);
    const Viewport v = currentViewport();
    EXPECT_EQ(v.width, 0);
    EXPECT_EQ(v.height, 1);
    expectModelViewIdentity();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
