// The photographs of the picture browser's benchmarks: 3000 x 2000 camera-like JPEGs (4:2:0,
// an Exif block without a thumbnail, light across a scene, soft shapes and sensor noise,
// about 1.5 MB each). Portable.
#pragma once
#include <string>
#include <vector>

namespace hessam_bench {

inline constexpr int kPhotoWidth = 3000;
inline constexpr int kPhotoHeight = 2000;

// The JPEG file of photograph number index.
std::string CameraJpeg(int index);
// Fills the folder (made when missing) with count photographs "photo0000.jpg" on: the first
// `distinct` are made (on every core), the others are copies of them. A folder that already
// holds them is kept. Returns their paths in order.
std::vector<std::string> MakePhotoFolder(const std::string& folder, int count, int distinct);

}  // namespace hessam_bench
