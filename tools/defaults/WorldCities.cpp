#include "tools/defaults/WorldCities.h"

namespace kiv::defaults {

namespace {

struct City {
    const char* country;
    const char* name;
    double lat; // degrees north
    double lon; // degrees east
    int population;
};

constexpr int kYear = 2020;

constexpr City kCities[] = {
    {"Japan", "Tokyo", 35.69, 139.69, 37400000},
    {"India", "Delhi", 28.61, 77.21, 30300000},
    {"China", "Shanghai", 31.23, 121.47, 27100000},
    {"Brazil", "Sao Paulo", -23.55, -46.63, 22000000},
    {"Mexico", "Mexico City", 19.43, -99.13, 21800000},
    {"Bangladesh", "Dhaka", 23.81, 90.41, 21000000},
    {"Egypt", "Cairo", 30.04, 31.24, 20900000},
    {"China", "Beijing", 39.90, 116.41, 20500000},
    {"India", "Mumbai", 19.08, 72.88, 20400000},
    {"Japan", "Osaka", 34.69, 135.50, 19200000},
    {"United States", "New York", 40.71, -74.01, 18800000},
    {"Pakistan", "Karachi", 24.86, 67.01, 16100000},
    {"China", "Chongqing", 29.56, 106.55, 15900000},
    {"Turkey", "Istanbul", 41.01, 28.98, 15200000},
    {"Argentina", "Buenos Aires", -34.60, -58.38, 15200000},
    {"India", "Kolkata", 22.57, 88.36, 14900000},
    {"Nigeria", "Lagos", 6.52, 3.38, 14400000},
    {"Congo (Dem. Rep.)", "Kinshasa", -4.32, 15.31, 14300000},
    {"Philippines", "Manila", 14.60, 120.98, 13900000},
    {"Brazil", "Rio de Janeiro", -22.91, -43.17, 13500000},
    {"China", "Guangzhou", 23.13, 113.26, 13300000},
    {"Russia", "Moscow", 55.76, 37.62, 12500000},
    {"China", "Shenzhen", 22.54, 114.06, 12400000},
    {"United States", "Los Angeles", 34.05, -118.24, 12400000},
    {"India", "Bangalore", 12.97, 77.59, 12300000},
    {"France", "Paris", 48.86, 2.35, 11000000},
    {"Colombia", "Bogota", 4.71, -74.07, 11000000},
    {"Indonesia", "Jakarta", -6.21, 106.85, 10800000},
    {"Peru", "Lima", -12.05, -77.04, 10700000},
    {"Thailand", "Bangkok", 13.76, 100.50, 10500000},
    {"Korea (South)", "Seoul", 37.57, 126.98, 10000000},
    {"Britain (UK)", "London", 51.51, -0.13, 9300000},
    {"Iran", "Tehran", 35.69, 51.39, 9100000},
    {"United States", "Chicago", 41.88, -87.63, 8900000},
    {"Vietnam", "Ho Chi Minh", 10.82, 106.63, 8600000},
    {"Angola", "Luanda", -8.84, 13.23, 8300000},
    {"Malaysia", "Kuala Lumpur", 3.14, 101.69, 8000000},
    {"Hong Kong", "Hong Kong", 22.32, 114.17, 7500000},
    {"Saudi Arabia", "Riyadh", 24.71, 46.68, 7200000},
    {"Iraq", "Baghdad", 33.31, 44.36, 7100000},
    {"Chile", "Santiago", -33.45, -70.67, 6800000},
    {"Spain", "Madrid", 40.42, -3.70, 6600000},
    {"United States", "Washington", 38.91, -77.04, 6300000},
    {"Canada", "Toronto", 43.65, -79.38, 6200000},
    {"Singapore", "Singapore", 1.35, 103.82, 5900000},
    {"Sudan", "Khartoum", 15.50, 32.56, 5800000},
    {"South Africa", "Johannesburg", -26.20, 28.05, 5800000},
    {"Russia", "Saint Petersburg", 59.93, 30.34, 5400000},
    {"Australia", "Sydney", -33.87, 151.21, 4900000},
    {"Australia", "Melbourne", -37.81, 144.96, 4900000},
    {"Ethiopia", "Addis Ababa", 9.03, 38.74, 4800000},
    {"Kenya", "Nairobi", -1.29, 36.82, 4700000},
    {"South Africa", "Cape Town", -33.92, 18.42, 4600000},
    {"Germany", "Berlin", 52.52, 13.41, 4500000},
    {"Italy", "Rome", 41.90, 12.50, 4300000},
    {"Morocco", "Casablanca", 33.57, -7.59, 3700000},
    {"Greece", "Athens", 37.98, 23.73, 3200000},
    {"Senegal", "Dakar", 14.72, -17.47, 3100000},
    {"Venezuela", "Caracas", 10.48, -66.90, 2900000},
    {"Algeria", "Algiers", 36.75, 3.06, 2800000},
    {"Canada", "Vancouver", 49.28, -123.12, 2600000},
    {"New Zealand", "Auckland", -36.85, 174.76, 1700000},
    {"United States", "Honolulu", 21.31, -157.86, 1000000},
    {"Iceland", "Reykjavik", 64.15, -21.94, 230000},
};

} // namespace

std::vector<tagTOWN> worldCities()
{
    std::vector<tagTOWN> towns;
    for (const City& city : kCities)
        towns.push_back({.country = QString::fromLatin1(city.country),
                         .name = QString::fromLatin1(city.name),
                         .lat = city.lat,
                         .lon = city.lon,
                         .population = city.population,
                         .year = kYear,
                         .extra = 0});
    return towns;
}

} // namespace kiv::defaults
