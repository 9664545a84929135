#pragma once
// Terrain profiles cut from elevation data: the ground along the geodesic from the
// station at an azimuth, sampled at a fixed spacing with bilinear interpolation between
// the grid's posts, the tower base at the station's ground. The data are any grids GDAL
// reads (SRTM .hgt tiles of 1 or 3 arc-seconds, GeoTIFF, ASCII grids), one file or a
// folder of tiles taken together.
#include "station_place.h"
#include "terrain_files.h"

#include "common/result.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace brisco {

class ElevationData {
public:
    // A file GDAL reads, or a folder whose files GDAL reads (others in it are passed over).
    static common::Result<ElevationData> Open(const std::string& path);

    // The ground in metres above sea level at a place, or why there is none: outside every
    // tile (naming the SRTM tile that would hold it) or a void in the data.
    common::Result<double> elevationAt(const Place& place) const;

    const std::string& path() const { return path_; }
    size_t tileCount() const;

    struct Tiles; // the grids opened, as the reader keeps them

private:
    std::string path_;
    bool folder_ = false;
    std::shared_ptr<const Tiles> tiles_;
};

// The SRTM name of the one-degree tile holding a place: N51W001.hgt.
std::string SrtmTileName(const Place& place);

struct CutProfile {
    double azimuth = 0;                          // degrees from north
    std::vector<std::pair<float, float>> points; // feet out, feet above sea level
    std::string fileName() const { return ProfileFileName(azimuth); }
    // The profile as its file reads back.
    ProfileRead read() const;
};

// The profile from the station at an azimuth, `spacing.points` points from the tower base.
common::Result<CutProfile> CutTerrainProfile(const ElevationData& data, const Place& station,
                                             double azimuth, const ProfileSpacing& spacing);

// The profiles written into `folder` (made when missing) by their file names; the paths.
common::Result<std::vector<std::string>> WriteProfiles(const std::string& folder,
                                                       const std::vector<CutProfile>& profiles);

} // namespace brisco
