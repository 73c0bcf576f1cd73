#pragma once
// The little linear algebra of the globe's camera: points and 4 x 4 matrices in double precision,
// column-major as OpenGL loads them, with the products of the fixed-function calls the camera
// used to make on the GL matrix stacks (glTranslate, glRotate, gluPerspective, gluLookAt).

#include <array>

namespace kiv {

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    friend Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
    friend Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
    friend Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
};

double dot(Vec3 a, Vec3 b);
Vec3 cross(Vec3 a, Vec3 b);
double length(Vec3 v);
// Unit vector; the zero vector stays zero.
Vec3 normalized(Vec3 v);
// The point's rotation by the angle about the y axis, as glRotate(angle, 0, 1, 0) turns it.
Vec3 rotatedAboutY(Vec3 v, double degrees);

struct Vec4 {
    double x = 0.0, y = 0.0, z = 0.0, w = 0.0;
};

class Matrix4 {
public:
    // The identity.
    Matrix4();

    static Matrix4 translation(double x, double y, double z);
    static Matrix4 rotation(double degrees, double x, double y, double z);
    static Matrix4 perspective(double fovyDegrees, double aspect, double zNear, double zFar);
    static Matrix4 lookAt(Vec3 eye, Vec3 centre, Vec3 up);

    // this * other: other is applied first, as a GL call multiplies the current matrix.
    Matrix4 operator*(const Matrix4& other) const;
    Vec4 operator*(Vec4 v) const;

    double operator()(int row, int column) const { return m_[column * 4 + row]; }
    const double* data() const { return m_.data(); }
    // From and to the 16 floats of a column-major GL matrix, as settings archives keep them.
    static Matrix4 fromColumnMajor(const std::array<float, 16>& values);
    std::array<float, 16> toColumnMajor() const;

private:
    double& at(int row, int column) { return m_[column * 4 + row]; }

    std::array<double, 16> m_{};
};

} // namespace kiv
