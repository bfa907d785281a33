#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include <dezava_vo.h>

namespace {

const Real PI = 3.14159265358979323846;

void expect_maps(const Transform &t, Real x, Real y, Real z, Real ex, Real ey, Real ez) {
    Real tx, ty, tz;
    transform_point(&t, x, y, z, &tx, &ty, &tz);
    EXPECT_NEAR(tx, ex, 1e-6);
    EXPECT_NEAR(ty, ey, 1e-6);
    EXPECT_NEAR(tz, ez, 1e-6);
}

void expect_column(const Transform &t, int column, Real x, Real y, Real z) {
    EXPECT_NEAR(Transform_elem(t, 0, column), x, 1e-7);
    EXPECT_NEAR(Transform_elem(t, 1, column), y, 1e-7);
    EXPECT_NEAR(Transform_elem(t, 2, column), z, 1e-7);
}

} // namespace

TEST(TransformConstructors, ScaleTranslationAndOrigin) {
    Transform t;
    make_scale_transform(2, 3, 4, &t);
    expect_maps(t, 1, 1, 1, 2, 3, 4);
    make_translation_transform(2, 3, 4, &t);
    expect_maps(t, 1, 1, 1, 3, 4, 5);
    Point origin;
    fill_Point(origin, -1, -2, -3);
    make_origin_transform(&origin, &t);
    expect_maps(t, 1, 1, 1, 0, -1, -2);
}

TEST(TransformConstructors, AxisRotationIsClockwiseAndAxisAngleCounterclockwise) {
    Transform t;
    make_rotation_transform(PI / 2, 2, &t);
    expect_maps(t, 1, 0, 0, 0, -1, 0);
    make_rotation_transform(PI / 2, 0, &t); // about x: y goes to -z
    expect_maps(t, 0, 1, 0, 0, 0, -1);
    make_rotation_transform(PI / 2, 1, &t); // about y: z goes to -x
    expect_maps(t, 0, 0, 1, -1, 0, 0);

    Vector z_axis;
    fill_Vector(z_axis, 0, 0, 5); // not unit length
    make_rotation_about_axis(&z_axis, PI / 2, &t);
    expect_maps(t, 1, 0, 0, 0, 1, 0);

    Vector diagonal;
    fill_Vector(diagonal, 1, 1, 1);
    make_rotation_about_axis(&diagonal, 2 * PI / 3, &t); // cycles the axes
    expect_maps(t, 1, 0, 0, 0, 1, 0);
    expect_maps(t, 0, 1, 0, 0, 0, 1);
}

TEST(TransformConstructors, DegenerateRotationAxesGiveTheIdentity) {
    Transform t, identity;
    make_identity_transform(&identity);
    Vector zero;
    fill_Vector(zero, 0, 0, 0);
    make_rotation_about_axis(&zero, 1.0, &t);
    EXPECT_TRUE(close_to_identity(&t));
    make_rotation_transform(1.0, 3, &t);
    EXPECT_EQ(memcmp(&t, &identity, sizeof(t)), 0);
    make_rotation_transform(1.0, -1, &t);
    EXPECT_EQ(memcmp(&t, &identity, sizeof(t)), 0);
}

TEST(TransformConstructors, RelativeToPointKeepsThePointFixed) {
    Transform rotation, relative;
    make_rotation_transform(PI / 2, 2, &rotation);
    Point centre;
    fill_Point(centre, 1, 1, 0);
    make_transform_relative_to_point(&centre, &rotation, &relative);
    expect_maps(relative, 1, 1, 0, 1, 1, 0);
    expect_maps(relative, 2, 1, 0, 1, 0, 0); // (1, 0) about the centre goes to (0, -1)

    // The result may replace the transform it was made from.
    make_transform_relative_to_point(&centre, &rotation, &rotation);
    expect_maps(rotation, 2, 1, 0, 1, 0, 0);
}

TEST(TransformConstructors, TransformInCoordinateSystemActsInTheFrame) {
    // A frame at (5, 0, 0) whose x axis is the world y axis: a scale along
    // the frame's x stretches along world y around the frame origin.
    Point origin;
    fill_Point(origin, 5, 0, 0);
    Vector x, y, z;
    fill_Vector(x, 0, 1, 0);
    fill_Vector(y, -1, 0, 0);
    fill_Vector(z, 0, 0, 1);
    Transform scale, in_frame;
    make_scale_transform(3, 1, 1, &scale);
    make_transform_in_coordinate_system(&origin, &x, &y, &z, &scale, &in_frame);
    expect_maps(in_frame, 5, 1, 0, 5, 3, 0);
    expect_maps(in_frame, 6, 0, 0, 6, 0, 0);
}

TEST(TransformConstructors, XAndZAxesFollowTheEstablishedOrientation) {
    Transform t;
    make_translation_transform(1, 2, 3, &t);
    Vector x, z;
    fill_Vector(x, 1, 0, 0);
    fill_Vector(z, 0, 0, 1);
    set_transform_x_and_z_axes(&t, &x, &z);
    expect_column(t, 0, -1, 0, 0);
    expect_column(t, 1, 0, 1, 0);
    expect_column(t, 2, 0, 0, 1);
    expect_column(t, 3, 1, 2, 3);
    EXPECT_FALSE(is_transform_right_handed(&t));

    // x not perpendicular to z and neither of unit length.
    fill_Vector(x, 2, 0, 2);
    fill_Vector(z, 0, 0, 4);
    set_transform_x_and_z_axes(&t, &x, &z);
    expect_column(t, 0, -1, 0, 0);
    expect_column(t, 1, 0, 1, 0);
    expect_column(t, 2, 0, 0, 1);

    fill_Vector(x, 0, 0, 1);
    fill_Vector(z, 1, 0, 0);
    set_transform_x_and_z_axes(&t, &x, &z);
    expect_column(t, 0, 0, 0, -1);
    expect_column(t, 1, 0, -1, 0);
    expect_column(t, 2, 1, 0, 0);

    // Parallel directions leave a frame that cannot be inverted.
    fill_Vector(x, 0, 0, 2);
    fill_Vector(z, 0, 0, 1);
    set_transform_x_and_z_axes(&t, &x, &z);
    Transform inverse;
    EXPECT_FALSE(compute_transform_inverse(&t, &inverse));
}

TEST(TransformConstructors, Handedness) {
    Transform t;
    make_identity_transform(&t);
    EXPECT_TRUE(is_transform_right_handed(&t));
    make_scale_transform(-1, 1, 1, &t);
    EXPECT_FALSE(is_transform_right_handed(&t));
    make_scale_transform(1, 0, 1, &t);
    EXPECT_FALSE(is_transform_right_handed(&t));
}

TEST(TransformConstructors, ClockwiseRotationTable) {
    struct Case {
        Real x, y, angle;
    } cases[] = {{1, 0, 0},        {0, 0, 0},         {0, -1, PI / 2}, {-1, 0, PI},
                 {0, 1, 1.5 * PI}, {1, 1, 1.75 * PI}, {1, -1, PI / 4}, {-1, -1, 0.75 * PI},
                 {1, 1e-300, 0.0}}; // would round to a full turn
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        Real angle = compute_clockwise_rotation(c.x, c.y);
        EXPECT_NEAR(angle, c.angle, 1e-12);
        EXPECT_GE(angle, 0.0);
        EXPECT_LT(angle, 2 * PI);
    }
    EXPECT_DOUBLE_EQ(compute_clockwise_rotation(0, 1), 4.71238898038469);
}

TEST(TransformConstructors, TwoDimensionalRotationAndTranslation) {
    Transform t;
    make_rotation_transform(PI / 6, 2, &t); // clockwise 30 degrees
    Transform_elem(t, 0, 3) = 7;
    Transform_elem(t, 1, 3) = -8;
    Real degrees, x, y;
    convert_2d_transform_to_rotation_translation(&t, &degrees, &x, &y);
    EXPECT_NEAR(degrees, 30.0, 1e-9);
    EXPECT_EQ(x, 7.0);
    EXPECT_EQ(y, -8.0);
}
