#include "brisco/core/elevation_profiles.h"

#include "elevation_tiles.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogr_spatialref.h>

#include <cmath>
#include <functional>

using namespace brisco;
using brisco::fixtures::TestFolder;

namespace {

constexpr double Foot = 0.3048;

// A grid in degrees written by GDAL's own driver (GTiff or AAIGrid), cells `cell` wide,
// its north-west corner at (north, west), heights at the cell centres.
std::string writeGrid(const TestFolder& folder, const std::string& name, const char* driverName,
                      double north, double west, double cell, int size,
                      const std::function<double(double, double)>& height, double noData,
                      const std::string& wkt = SRS_WKT_WGS84_LAT_LONG, const char* unit = "") {
    GDALAllRegister();
    GDALDriver* memory = GetGDALDriverManager()->GetDriverByName("MEM");
    GDALDataset* grid = memory->Create("", size, size, 1, GDT_Float32, nullptr);
    double geo[6] = {west, cell, 0, north, 0, -cell};
    grid->SetGeoTransform(geo);
    grid->SetProjection(wkt.c_str());
    std::vector<float> values(size_t(size) * size);
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c)
            values[size_t(r) * size + c] =
                float(height(north - (r + 0.5) * cell, west + (c + 0.5) * cell));
    GDALRasterBand* band = grid->GetRasterBand(1);
    band->SetNoDataValue(noData);
    band->SetUnitType(unit);
    EXPECT_EQ(
        band->RasterIO(GF_Write, 0, 0, size, size, values.data(), size, size, GDT_Float32, 0, 0),
        CE_None);
    const std::string path = folder.file(name);
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName);
    GDALClose(driver->CreateCopy(path.c_str(), grid, false, nullptr, nullptr, nullptr));
    GDALClose(grid);
    return path;
}

// Where the geodesic from a place runs to, worked out on its own.
Place along(const Place& from, double azimuth, double feet) {
    Place to;
    GeographicLib::Geodesic::WGS84().Direct(from.latitude, from.longitude, azimuth, feet * Foot,
                                            to.latitude, to.longitude);
    return to;
}

// A plane in the posts' own steps, so that the int16 posts of a tile of `posts` a side
// hold it exactly.
double planeIn(int posts, double latitude, double longitude) {
    return 1000 + 2 * (latitude - 51) * (posts - 1) - 3 * (longitude + 1) * (posts - 1);
}
double plane(double latitude, double longitude) { return planeIn(1201, latitude, longitude); }

ProfileSpacing spacing(double length, double step) { return ChooseSpacing(length, step).value(); }

} // namespace

TEST(ElevationProfiles, SrtmTilesOfBothResolutionsFollowAPlane) {
    TestFolder folder;
    for (int posts : {1201, 3601}) {
        const std::string hgt =
            fixtures::WriteHgt(folder, "N51W001.hgt", 51, -1, posts,
                               [&](double la, double lo) { return planeIn(posts, la, lo); });
        common::Result<ElevationData> data = ElevationData::Open(hgt);
        ASSERT_TRUE(data) << data.message();
        const Place station{51.4, -0.6};
        for (double azimuth : {0.0, 45.0, 137.5, 270.0}) {
            common::Result<CutProfile> cut =
                CutTerrainProfile(data.value(), station, azimuth, spacing(14900, 100));
            ASSERT_TRUE(cut) << cut.message();
            const auto& points = cut.value().points;
            ASSERT_EQ(points.size(), 150u);
            for (size_t i = 0; i < points.size(); i += 7) {
                const Place at = along(station, azimuth, 100.0 * i);
                const double metres = planeIn(posts, at.latitude, at.longitude);
                EXPECT_FLOAT_EQ(points[i].first, float(100 * i));
                EXPECT_NEAR(points[i].second, metres / Foot, 0.01)
                    << posts << " az " << azimuth << " #" << i;
            }
        }
    }
}

TEST(ElevationProfiles, AConeAroundTheStationFallsWithGeodesicDistance) {
    // A GeoTIFF cone whose heights fall 1 m every 20 m of geodesic distance from its apex,
    // measured by the inverse problem; along every azimuth the profile is that straight line.
    TestFolder folder;
    const Place apex{45.05, 7.05};
    const auto cone = [&](double latitude, double longitude) {
        double metres = 0;
        GeographicLib::Geodesic::WGS84().Inverse(apex.latitude, apex.longitude, latitude, longitude,
                                                 metres);
        return 900 - metres / 20;
    };
    const std::string tif =
        writeGrid(folder, "cone.tif", "GTiff", 45.1, 7.0, 0.0002, 500, cone, -9999);
    ElevationData data = ElevationData::Open(tif).value();
    for (double azimuth : {10.0, 100.0, 225.0, 333.0}) {
        CutProfile cut = CutTerrainProfile(data, apex, azimuth, spacing(12000, 200)).value();
        for (size_t i = 1; i < cut.points.size(); ++i) {
            const double metres = 900 - cut.points[i].first * Foot / 20;
            // bilinear between posts 15 to 22 m apart cuts the cone's corners by little
            EXPECT_NEAR(cut.points[i].second, metres / Foot, 1.0) << azimuth << " #" << i;
        }
        // the tower base stands on the station's ground, at the apex (within a cell's rounding)
        EXPECT_NEAR(cut.points[0].second, 900 / Foot, 3.0);
    }
}

TEST(ElevationProfiles, AGridInAProjectionAndInFeet) {
    // A GeoTIFF in UTM zone 30 north, 100 m cells, heights a plane in easting and northing,
    // in feet; the expected heights from GeographicLib's own UTM of each point.
    TestFolder folder;
    OGRSpatialReference utm;
    utm.importFromEPSG(32630);
    char* wkt = nullptr;
    utm.exportToWkt(&wkt);
    const std::string projection = wkt;
    CPLFree(wkt);
    const auto plane = [](double northing, double easting) {
        return 300 + 0.01 * (easting - 500000) + 0.02 * (northing - 5700000);
    };
    const std::string tif = writeGrid(folder, "utm.tif", "GTiff", 5715000, 490000, 100, 200, plane,
                                      -9999, projection, "ft");
    ElevationData data = ElevationData::Open(tif).value();
    const Place station{51.5, -3.0};
    for (double azimuth : {30.0, 200.0}) {
        CutProfile cut = CutTerrainProfile(data, station, azimuth, spacing(14900, 100)).value();
        for (size_t i = 0; i < cut.points.size(); i += 10) {
            const Place at = along(station, azimuth, 100.0 * i);
            int zone = 0;
            bool north = false;
            double easting = 0, northing = 0;
            GeographicLib::UTMUPS::Forward(at.latitude, at.longitude, zone, north, easting,
                                           northing, 30);
            EXPECT_NEAR(cut.points[i].second, plane(northing, easting), 0.01)
                << azimuth << " #" << i;
        }
    }
}

TEST(ElevationProfiles, AFolderOfTilesIsTakenTogetherAndAMissingTileIsNamed) {
    TestFolder folder;
    fixtures::WriteHgt(folder, "N51W001.hgt", 51, -1, 1201, plane);
    fixtures::WriteHgt(folder, "N51E000.hgt", 51, 0, 1201, plane);
    folder.write("README.txt", "not elevation data\n"); // passed over
    writeGrid(folder, "south.asc", "AAIGrid", 51.0, -1.0, 0.01, 50, plane, -9999);
    ElevationData data = ElevationData::Open(folder.path()).value();
    EXPECT_EQ(data.tileCount(), 3u);

    // East across the meridian from one tile into the next, unbroken.
    const Place station{51.5, -0.05};
    CutProfile east = CutTerrainProfile(data, station, 90, spacing(29800, 200)).value();
    for (size_t i = 0; i < east.points.size(); ++i) {
        const Place at = along(station, 90, 200.0 * i);
        EXPECT_NEAR(east.points[i].second, plane(at.latitude, at.longitude) / Foot, 0.01) << i;
    }
    // South into the ASCII grid, whose cells hold the plane at their centres.
    CutProfile south = CutTerrainProfile(data, {51.02, -0.7}, 180, spacing(29800, 200)).value();
    const Place last = along({51.02, -0.7}, 180, 29800);
    EXPECT_LT(last.latitude, 51.0);
    EXPECT_NEAR(south.points.back().second, plane(last.latitude, last.longitude) / Foot, 1.0);

    // North past 52 degrees there is no tile: refused, naming the tile and how far out.
    common::Result<CutProfile> north =
        CutTerrainProfile(data, {51.9, -0.5}, 0, spacing(100000, 1000));
    ASSERT_FALSE(north);
    EXPECT_NE(north.message().find("Azimuth 0, 37000 ft out: No elevation data at 52.0"),
              std::string::npos)
        << north.message();
    EXPECT_NE(
        north.message().find("the tile N52W001.hgt is missing from the folder " + folder.path()),
        std::string::npos)
        << north.message();
    // West of the first tile, in the western and southern hemispheres' naming.
    EXPECT_NE(CutTerrainProfile(data, {51.5, -0.99}, 270, spacing(10000, 1000))
                  .message()
                  .find("N51W002.hgt"),
              std::string::npos);
    EXPECT_EQ(SrtmTileName({-33.5, 151.2}), "S34E151.hgt");
    EXPECT_EQ(SrtmTileName({0.5, -0.5}), "N00W001.hgt");
    // A station off every tile is refused before anything is cut.
    EXPECT_NE(
        CutTerrainProfile(data, {40.5, -3.5}, 0, spacing(1000, 100))
            .message()
            .find("At the station: No elevation data at 40.5000 N, 3.5000 W: the tile N40W004.hgt"),
        std::string::npos);
}

TEST(ElevationProfiles, VoidsAndUnreadableDataAreRefused) {
    TestFolder folder;
    // An SRTM void (-32768) east of 0.5 W; a GeoTIFF whose nodata covers its northern half.
    const std::string hgt =
        fixtures::WriteHgt(folder, "N51W001.hgt", 51, -1, 1201,
                           [](double, double lo) { return lo > -0.5 ? -32768.0 : 50.0; });
    common::Result<CutProfile> cut =
        CutTerrainProfile(ElevationData::Open(hgt).value(), {51.5, -0.6}, 90, spacing(29800, 200));
    ASSERT_FALSE(cut);
    EXPECT_NE(cut.message().find("hold no value at 51.5"), std::string::npos) << cut.message();
    EXPECT_NE(cut.message().find("a void in " + hgt), std::string::npos);

    const std::string tif = writeGrid(
        folder, "half.tif", "GTiff", 52, -1, 0.01, 100,
        [](double la, double) { return la > 51.5 ? -9999.0 : 10.0; }, -9999);
    EXPECT_FALSE(CutTerrainProfile(ElevationData::Open(tif).value(), {51.3, -0.5}, 0,
                                   spacing(149000, 1000)));
    EXPECT_TRUE(CutTerrainProfile(ElevationData::Open(tif).value(), {51.3, -0.5}, 180,
                                  spacing(14900, 100)));

    EXPECT_NE(ElevationData::Open(folder.file("none.hgt")).message().find("are not there"),
              std::string::npos);
    EXPECT_NE(
        ElevationData::Open(folder.write("bad.tif", "not a grid")).message().find("cannot be read"),
        std::string::npos);
    TestFolder empty;
    empty.write("notes.txt", "nothing here");
    EXPECT_NE(ElevationData::Open(empty.path()).message().find("holds no elevation data"),
              std::string::npos);
}

TEST(ElevationProfiles, ProfilesAreWrittenByAzimuthAndReadBack) {
    TestFolder folder;
    const std::string hgt = fixtures::WriteHgt(folder, "N51W001.hgt", 51, -1, 1201, plane);
    ElevationData data = ElevationData::Open(hgt).value();
    std::vector<CutProfile> cuts;
    const std::vector<double> azimuths = ReadAzimuths("0:90:45").value();
    for (double azimuth : azimuths)
        cuts.push_back(CutTerrainProfile(data, {51.5, -0.5}, azimuth, spacing(2000, 100)).value());
    common::Result<std::vector<std::string>> paths = WriteProfiles(folder.file("out/cut"), cuts);
    ASSERT_TRUE(paths) << paths.message();
    ASSERT_EQ(paths.value().size(), 3u);
    EXPECT_EQ(paths.value()[1], folder.file("out/cut/AZ045.PRO"));
    common::Result<ProfileRead> read = ReadTerrainProfile(paths.value()[1]);
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read.value().profile.pointCount(), 21);
    EXPECT_FLOAT_EQ(read.value().profile.Distance[21], 2000);
    EXPECT_NEAR(read.value().profile.Elevation[21], cuts[1].points[20].second, 0.05);
    EXPECT_EQ(cuts[1].read().profile.pointCount(), 21);
    // A folder that cannot be made is a message.
    EXPECT_FALSE(WriteProfiles(folder.write("file", "x") + "/sub", cuts));
}
