#include "elevation_profiles.h"

#include "common/cli_options.h"
#include "common/number_text.h"
#include "common/text_file.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <mutex>

namespace brisco {
namespace {

using common::Result;

constexpr double MetresPerFoot = 0.3048;

struct DatasetCloser {
    void operator()(GDALDataset* d) const { GDALClose(d); }
};
struct TransformDeleter {
    void operator()(OGRCoordinateTransformation* t) const {
        OGRCoordinateTransformation::DestroyCT(t);
    }
};

void registerDrivers() {
    static std::once_flag once;
    std::call_once(once, [] {
        GDALAllRegister();
        CPLSetErrorHandler(CPLQuietErrorHandler); // failures are reported as messages
    });
}

} // namespace

struct ElevationData::Tiles {
    struct Tile {
        std::string file;
        std::unique_ptr<GDALDataset, DatasetCloser> dataset;
        GDALRasterBand* band = nullptr;
        double toPixel[6]{}; // the inverse geotransform
        int width = 0, height = 0;
        bool hasNoData = false;
        double noData = 0;
        double metres = 1; // metres per unit of the data
        std::unique_ptr<OGRCoordinateTransformation, TransformDeleter> fromWgs84; // none: degrees
    };
    std::vector<Tile> tiles;
};

namespace {

Result<ElevationData::Tiles::Tile> openTile(const std::string& file) {
    using Tile = ElevationData::Tiles::Tile;
    Tile tile;
    tile.file = file;
    CPLErrorReset();
    tile.dataset.reset(GDALDataset::Open(file.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!tile.dataset) {
        std::string why = CPLGetLastErrorMsg();
        return Result<Tile>::Failure("The elevation data " + file + " cannot be read" +
                                     (why.empty() ? "." : ": " + why));
    }
    double geo[6];
    if (tile.dataset->GetRasterCount() < 1 || tile.dataset->GetGeoTransform(geo) != CE_None ||
        !GDALInvGeoTransform(geo, tile.toPixel))
        return Result<Tile>::Failure("The elevation data " + file +
                                     " say nowhere where on the earth they lie.");
    tile.band = tile.dataset->GetRasterBand(1);
    tile.width = tile.dataset->GetRasterXSize();
    tile.height = tile.dataset->GetRasterYSize();
    int has = 0;
    tile.noData = tile.band->GetNoDataValue(&has);
    tile.hasNoData = has != 0;
    const std::string unit = tile.band->GetUnitType();
    if (unit == "ft" || unit == "foot" || unit == "feet" || unit == "US survey foot")
        tile.metres = MetresPerFoot;
    const OGRSpatialReference* reference = tile.dataset->GetSpatialRef();
    if (reference && !reference->IsGeographic()) {
        OGRSpatialReference wgs84;
        wgs84.SetWellKnownGeogCS("WGS84");
        wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        OGRSpatialReference target(*reference);
        target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        tile.fromWgs84.reset(OGRCreateCoordinateTransformation(&wgs84, &target));
        if (!tile.fromWgs84)
            return Result<Tile>::Failure("The elevation data " + file +
                                         " lie in a projection that cannot be worked out.");
    }
    return tile;
}

// How a tile holds a place: where between its posts, and whether inside their grid.
struct Spot {
    bool inside = false;       // within the tile's extent
    bool betweenPosts = false; // within the grid of post centres, no edge taken for it
    double x = 0, y = 0;       // in posts from the first post's centre
};

Spot spotIn(const ElevationData::Tiles::Tile& t, const Place& p) {
    double east = p.longitude, north = p.latitude;
    if (t.fromWgs84 && !t.fromWgs84->Transform(1, &east, &north)) return {};
    double px = 0, py = 0;
    GDALApplyGeoTransform(const_cast<double*>(t.toPixel), east, north, &px, &py);
    if (!t.fromWgs84 && (px < 0 || px > t.width)) { // a grid in degrees may lie a turn away
        for (double turn : {-360.0, 360.0}) {
            double qx = 0, qy = 0;
            GDALApplyGeoTransform(const_cast<double*>(t.toPixel), east + turn, north, &qx, &qy);
            if (qx >= 0 && qx <= t.width) {
                px = qx;
                py = qy;
            }
        }
    }
    Spot s;
    s.inside = px >= 0 && px <= t.width && py >= 0 && py <= t.height;
    s.x = px - 0.5;
    s.y = py - 0.5;
    s.betweenPosts = s.x >= 0 && s.x <= t.width - 1 && s.y >= 0 && s.y <= t.height - 1;
    return s;
}

} // namespace

Result<ElevationData> ElevationData::Open(const std::string& path) {
    registerDrivers();
    ElevationData data;
    data.path_ = path;
    auto tiles = std::make_shared<Tiles>();
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        data.folder_ = true;
        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(path, error))
            if (entry.is_regular_file(error)) files.push_back(entry.path().string());
        std::sort(files.begin(), files.end());
        for (const std::string& file : files)
            if (Result<Tiles::Tile> tile = openTile(file))
                tiles->tiles.push_back(std::move(tile).value());
        if (tiles->tiles.empty())
            return Result<ElevationData>::Failure("The folder " + path +
                                                  " holds no elevation data that can be read.");
    } else if (!std::filesystem::exists(path, error)) {
        return Result<ElevationData>::Failure("The elevation data " + path + " are not there.");
    } else {
        Result<Tiles::Tile> tile = openTile(path);
        if (!tile) return Result<ElevationData>::Failure(tile.message());
        tiles->tiles.push_back(std::move(tile).value());
    }
    data.tiles_ = std::move(tiles);
    return data;
}

size_t ElevationData::tileCount() const { return tiles_ ? tiles_->tiles.size() : 0; }

std::string SrtmTileName(const Place& p) {
    const int latitude = static_cast<int>(std::floor(p.latitude));
    int longitude = static_cast<int>(std::floor(p.longitude));
    if (longitude >= 180) longitude -= 360;
    char name[32];
    std::snprintf(name, sizeof name, "%c%02d%c%03d.hgt", latitude < 0 ? 'S' : 'N',
                  std::abs(latitude), longitude < 0 ? 'W' : 'E', std::abs(longitude));
    return name;
}

Result<double> ElevationData::elevationAt(const Place& p) const {
    // The tile whose posts surround the place, else one holding it by its edge.
    const Tiles::Tile* best = nullptr;
    Spot bestSpot;
    for (const Tiles::Tile& t : tiles_->tiles) {
        Spot s = spotIn(t, p);
        if (!s.inside) continue;
        if (!best || (s.betweenPosts && !bestSpot.betweenPosts)) {
            best = &t;
            bestSpot = s;
        }
        if (s.betweenPosts) break;
    }
    if (!best)
        return Result<double>::Failure("No elevation data at " + PlaceText(p) + ": the tile " +
                                       SrtmTileName(p) +
                                       (folder_ ? " is missing from the folder " + path_ + "."
                                                : " would hold it; " + path_ + " does not."));

    const Tiles::Tile& t = *best;
    const double x = std::clamp(bestSpot.x, 0.0, double(t.width - 1));
    const double y = std::clamp(bestSpot.y, 0.0, double(t.height - 1));
    const int x0 = std::min(static_cast<int>(std::floor(x)), std::max(0, t.width - 2));
    const int y0 = std::min(static_cast<int>(std::floor(y)), std::max(0, t.height - 2));
    const int nx = std::min(2, t.width), ny = std::min(2, t.height);
    double posts[4] = {0, 0, 0, 0};
    if (t.band->RasterIO(GF_Read, x0, y0, nx, ny, posts, nx, ny, GDT_Float64, 0, 0) != CE_None)
        return Result<double>::Failure("The elevation data " + t.file + " cannot be read at " +
                                       PlaceText(p) + ": " + CPLGetLastErrorMsg());
    const double fx = nx == 2 ? x - x0 : 0, fy = ny == 2 ? y - y0 : 0;
    const double weight[4] = {(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy};
    double sum = 0;
    for (int i = 0; i < 4; ++i) {
        if (weight[i] == 0) continue;
        const double v = posts[(i / 2) * nx + (i % 2) % nx];
        const bool voidPost = (t.hasNoData && v == t.noData) || !std::isfinite(v) || v <= -32768;
        if (voidPost)
            return Result<double>::Failure(
                "The elevation data hold no value at " + PlaceText(p) + " (a void in " + t.file +
                "): fill it or add a tile that covers it (" + SrtmTileName(p) + ").");
        sum += weight[i] * v;
    }
    return sum * t.metres;
}

ProfileRead CutProfile::read() const {
    Result<ProfileRead> r = ParseTerrainProfile(WriteTerrainProfile(points));
    return r ? std::move(r).value() : ProfileRead{};
}

Result<CutProfile> CutTerrainProfile(const ElevationData& data, const Place& station,
                                     double azimuth, const ProfileSpacing& spacing) {
    const GeographicLib::Geodesic& earth = GeographicLib::Geodesic::WGS84();
    const GeographicLib::GeodesicLine line =
        earth.Line(station.latitude, station.longitude, azimuth);
    CutProfile profile;
    profile.azimuth = azimuth;
    for (int i = 0; i < spacing.points; ++i) {
        const double feet = i * spacing.spacingFeet;
        Place at = station;
        if (i > 0) line.Position(feet * MetresPerFoot, at.latitude, at.longitude);
        Result<double> ground = data.elevationAt(at);
        if (!ground)
            return Result<CutProfile>::Failure(
                (i == 0 ? std::string("At the station: ")
                        : "Azimuth " + common::ShortestText(azimuth) + ", " +
                              common::Format(feet, "0") + " ft out: ") +
                ground.message());
        profile.points.emplace_back(static_cast<float>(feet),
                                    static_cast<float>(ground.value() / MetresPerFoot));
    }
    return profile;
}

Result<std::vector<std::string>> WriteProfiles(const std::string& folder,
                                               const std::vector<CutProfile>& profiles) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return Result<std::vector<std::string>>::Failure("The folder " + folder +
                                                         " cannot be made: " + error.message());
    std::vector<std::string> paths;
    for (const CutProfile& p : profiles) {
        const std::string path = (std::filesystem::path(folder) / p.fileName()).string();
        if (Result<> written =
                common::WriteFileAtomically(path, common::JoinLines(WriteTerrainProfile(p.points)));
            !written)
            return Result<std::vector<std::string>>::Failure(
                "The profile " + path + " cannot be written: " + written.message());
        paths.push_back(path);
    }
    return paths;
}

} // namespace brisco
