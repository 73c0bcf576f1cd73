#include "views3d/Matrix4.h"

#include <cmath>
#include <numbers>

namespace kiv {

namespace {
constexpr double kDegToRad = std::numbers::pi / 180.0;
}

double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

double length(Vec3 v) { return std::sqrt(dot(v, v)); }

Vec3 normalized(Vec3 v)
{
    const double n = length(v);
    return n > 0.0 ? v * (1.0 / n) : v;
}

Vec3 rotatedAboutY(Vec3 v, double degrees)
{
    const double c = std::cos(degrees * kDegToRad);
    const double s = std::sin(degrees * kDegToRad);
    return {c * v.x + s * v.z, v.y, -s * v.x + c * v.z};
}

Matrix4::Matrix4()
{
    for (int i = 0; i < 4; ++i)
        at(i, i) = 1.0;
}

Matrix4 Matrix4::translation(double x, double y, double z)
{
    Matrix4 r;
    r.at(0, 3) = x;
    r.at(1, 3) = y;
    r.at(2, 3) = z;
    return r;
}

Matrix4 Matrix4::rotation(double degrees, double x, double y, double z)
{
    const Vec3 a = normalized({x, y, z});
    const double c = std::cos(degrees * kDegToRad);
    const double s = std::sin(degrees * kDegToRad);
    const double t = 1.0 - c;
    Matrix4 r;
    r.at(0, 0) = a.x * a.x * t + c;
    r.at(0, 1) = a.x * a.y * t - a.z * s;
    r.at(0, 2) = a.x * a.z * t + a.y * s;
    r.at(1, 0) = a.y * a.x * t + a.z * s;
    r.at(1, 1) = a.y * a.y * t + c;
    r.at(1, 2) = a.y * a.z * t - a.x * s;
    r.at(2, 0) = a.x * a.z * t - a.y * s;
    r.at(2, 1) = a.y * a.z * t + a.x * s;
    r.at(2, 2) = a.z * a.z * t + c;
    return r;
}

Matrix4 Matrix4::perspective(double fovyDegrees, double aspect, double zNear, double zFar)
{
    const double f = 1.0 / std::tan(fovyDegrees * kDegToRad / 2.0);
    Matrix4 r;
    r.at(0, 0) = f / aspect;
    r.at(1, 1) = f;
    r.at(2, 2) = (zFar + zNear) / (zNear - zFar);
    r.at(2, 3) = 2.0 * zFar * zNear / (zNear - zFar);
    r.at(3, 2) = -1.0;
    r.at(3, 3) = 0.0;
    return r;
}

Matrix4 Matrix4::lookAt(Vec3 eye, Vec3 centre, Vec3 up)
{
    const Vec3 f = normalized(centre - eye);
    const Vec3 s = normalized(cross(f, up));
    const Vec3 u = cross(s, f);
    Matrix4 r;
    r.at(0, 0) = s.x;
    r.at(0, 1) = s.y;
    r.at(0, 2) = s.z;
    r.at(1, 0) = u.x;
    r.at(1, 1) = u.y;
    r.at(1, 2) = u.z;
    r.at(2, 0) = -f.x;
    r.at(2, 1) = -f.y;
    r.at(2, 2) = -f.z;
    return r * translation(-eye.x, -eye.y, -eye.z);
}

Matrix4 Matrix4::operator*(const Matrix4& other) const
{
    Matrix4 r;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += (*this)(row, k) * other(k, column);
            r.at(row, column) = sum;
        }
    }
    return r;
}

Vec4 Matrix4::operator*(Vec4 v) const
{
    const auto row = [&](int i) {
        return (*this)(i, 0) * v.x + (*this)(i, 1) * v.y + (*this)(i, 2) * v.z + (*this)(i, 3) * v.w;
    };
    return {row(0), row(1), row(2), row(3)};
}

Matrix4 Matrix4::fromColumnMajor(const std::array<float, 16>& values)
{
    Matrix4 m;
    for (std::size_t i = 0; i < 16; ++i)
        m.m_[i] = values[i];
    return m;
}

std::array<float, 16> Matrix4::toColumnMajor() const
{
    std::array<float, 16> values{};
    for (std::size_t i = 0; i < 16; ++i)
        values[i] = static_cast<float>(m_[i]);
    return values;
}

} // namespace kiv
