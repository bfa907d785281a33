#include <gtest/gtest.h>

#include <cmath>

#include <dezava_vo.h>

namespace {

void expect_point(const Transform &t, Real x, Real y, Real z, Real ex, Real ey, Real ez,
                  Real tolerance = 1e-12) {
    Real tx, ty, tz;
    transform_point(&t, x, y, z, &tx, &ty, &tz);
    EXPECT_NEAR(tx, ex, tolerance);
    EXPECT_NEAR(ty, ey, tolerance);
    EXPECT_NEAR(tz, ez, tolerance);
}

void expect_transforms_near(const Transform &a, const Transform &b, Real tolerance) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_NEAR(a.m[i][j], b.m[i][j], tolerance) << "m[" << i << "][" << j << "]";
}

// A rotation about an oblique axis with a translation and a scale: nothing
// about it is symmetric, so a transposed or misordered result shows.
Transform general_affine() {
    Vector axis;
    fill_Vector(axis, 1, 2, 3);
    Transform rotation, scale, translation, both, t;
    make_rotation_about_axis(&axis, 0.7, &rotation);
    make_scale_transform(2.0, 0.5, 3.0, &scale);
    make_translation_transform(4.0, -5.0, 6.0, &translation);
    concat_transforms(&both, &scale, &rotation);
    concat_transforms(&t, &both, &translation);
    return t;
}

} // namespace

TEST(Transform, ElementRowIColumnJIsStoredAtMjI) {
    Transform t;
    make_identity_transform(&t);
    Transform_elem(t, 0, 3) = 7.0; // row 0, column 3: the x translation
    EXPECT_EQ(t.m[3][0], 7.0);

    Point origin;
    get_transform_origin(&t, &origin);
    EXPECT_EQ(Point_x(origin), 7.0f);
    expect_point(t, 1, 2, 3, 8, 2, 3);

    Real axis[3] = {1, 2, 3};
    set_transform_y_axis_real(&t, axis);
    EXPECT_EQ(t.m[1][0], 1.0);
    EXPECT_EQ(t.m[1][1], 2.0);
    EXPECT_EQ(t.m[1][2], 3.0);
    Vector y_axis;
    get_transform_y_axis(&t, &y_axis);
    EXPECT_EQ(Vector_z(y_axis), 3.0f);
}

TEST(Transform, AxisAndOriginAccessorsReachTheirOwnColumn) {
    Transform t;
    make_identity_transform(&t);
    Vector x, y, z;
    fill_Vector(x, 1, 2, 3);
    fill_Vector(y, 4, 5, 6);
    fill_Vector(z, 7, 8, 9);
    Point o;
    fill_Point(o, 10, 11, 12);
    set_transform_x_axis(&t, &x);
    set_transform_y_axis(&t, &y);
    set_transform_z_axis(&t, &z);
    set_transform_origin(&t, &o);

    Real xr[3], yr[3], zr[3], orr[3];
    get_transform_x_axis_real(&t, xr);
    get_transform_y_axis_real(&t, yr);
    get_transform_z_axis_real(&t, zr);
    get_transform_origin_real(&t, orr);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(xr[c], 1 + c);
        EXPECT_EQ(yr[c], 4 + c);
        EXPECT_EQ(zr[c], 7 + c);
        EXPECT_EQ(orr[c], 10 + c);
        EXPECT_EQ(t.m[c][3], 0.0); // row 3 untouched
    }
    EXPECT_EQ(t.m[3][3], 1.0);

    Real zeros[3] = {0, 0, 0};
    set_transform_x_axis_real(&t, zeros);
    set_transform_z_axis_real(&t, zeros);
    Vector got;
    get_transform_x_axis(&t, &got);
    EXPECT_TRUE(Vector_x(got) == 0 && Vector_y(got) == 0 && Vector_z(got) == 0);
    get_transform_y_axis(&t, &got);
    EXPECT_EQ(Vector_y(got), 5.0f);
}

TEST(Transform, CloseToIdentityIncludesItsBounds) {
    struct Case {
        int row, column;
        Real value;
        bool close;
    } cases[] = {{0, 0, 1.001, true},   {0, 0, 1.0011, false}, {2, 2, 0.999, true},
                 {1, 1, 0.9989, false}, {0, 3, 0.001, true},   {0, 3, -0.001, true},
                 {3, 0, 0.0011, false}, {3, 3, NAN, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.column << " = " << c.value);
        Transform t;
        make_identity_transform(&t);
        Transform_elem(t, c.row, c.column) = c.value;
        EXPECT_EQ(close_to_identity(&t) != FALSE, c.close);
    }
}

TEST(Transform, ConcatenationAppliesTheFirstArgumentFirst) {
    Transform translate, scale, r;
    make_translation_transform(1, 0, 0, &translate);
    make_scale_transform(2, 2, 2, &scale);

    concat_transforms(&r, &translate, &scale);
    expect_point(r, 0, 0, 0, 2, 0, 0);
    concat_transforms(&r, &scale, &translate);
    expect_point(r, 0, 0, 0, 1, 0, 0);
}

TEST(Transform, ConcatenationIntoEitherArgumentGivesTheSameMatrix) {
    Transform a = general_affine(), b, expected;
    make_rotation_transform(0.3, 1, &b);
    Transform_elem(b, 1, 3) = 2.5;
    concat_transforms(&expected, &a, &b);

    Transform into_first = a;
    concat_transforms(&into_first, &into_first, &b);
    expect_transforms_near(into_first, expected, 0.0);

    Transform into_second = b;
    concat_transforms(&into_second, &a, &into_second);
    expect_transforms_near(into_second, expected, 0.0);
}

TEST(Transform, VectorsIgnoreTranslationAndProjectiveRowDivides) {
    Transform t;
    make_translation_transform(5, 6, 7, &t);
    Real x, y, z;
    transform_vector(&t, 1, 2, 3, &x, &y, &z);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(y, 2.0);
    EXPECT_EQ(z, 3.0);

    make_identity_transform(&t);
    Transform_elem(t, 3, 3) = 2.0;
    expect_point(t, 4, 6, 8, 2, 3, 4);
}

TEST(Transform, InverseComposedWithTheTransformIsTheIdentity) {
    Transform t = general_affine(), inverse, product, identity;
    ASSERT_TRUE(compute_transform_inverse(&t, &inverse));
    make_identity_transform(&identity);
    concat_transforms(&product, &t, &inverse);
    expect_transforms_near(product, identity, 1e-12);
    concat_transforms(&product, &inverse, &t);
    expect_transforms_near(product, identity, 1e-12);

    // The result may overwrite its argument.
    Transform in_place = t;
    ASSERT_TRUE(compute_transform_inverse(&in_place, &in_place));
    expect_transforms_near(in_place, inverse, 0.0);
}

TEST(Transform, SingularTransformsGiveFalseAndTheIdentity) {
    Transform identity;
    make_identity_transform(&identity);

    Transform zero_column;
    make_translation_transform(1, 2, 3, &zero_column);
    Real zeros[3] = {0, 0, 0};
    set_transform_y_axis_real(&zero_column, zeros);

    // Two equal axis columns.
    Transform repeated_axis = general_affine();
    Real x_axis[3];
    get_transform_x_axis_real(&repeated_axis, x_axis);
    set_transform_z_axis_real(&repeated_axis, x_axis);

    Transform with_nan;
    make_identity_transform(&with_nan);
    Transform_elem(with_nan, 1, 2) = NAN;

    for (const Transform *singular : {&zero_column, &repeated_axis, &with_nan}) {
        Transform inverse = general_affine();
        EXPECT_FALSE(compute_transform_inverse(singular, &inverse));
        expect_transforms_near(inverse, identity, 0.0);
    }
}

TEST(Transform, ChangeOfBasisMapsFrameCoordinatesAndBack) {
    Point origin;
    fill_Point(origin, 1, 2, 3);
    // An orthonormal frame: 90 degrees about z.
    Vector x, y, z;
    fill_Vector(x, 0, 1, 0);
    fill_Vector(y, -1, 0, 0);
    fill_Vector(z, 0, 0, 1);

    Transform to, from, round_trip, identity;
    make_change_to_bases_transform(&origin, &x, &y, &z, &to);
    make_change_from_bases_transform(&origin, &x, &y, &z, &from);
    expect_point(to, 2, 3, 4, 1 - 3, 2 + 2, 3 + 4);
    expect_point(from, 1 - 3, 2 + 2, 3 + 4, 2, 3, 4);
    EXPECT_EQ(Transform_elem(from, 0, 3), -2.0); // -(x_axis . origin)

    concat_transforms(&round_trip, &to, &from);
    make_identity_transform(&identity);
    expect_transforms_near(round_trip, identity, 1e-12);
}
