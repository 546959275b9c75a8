// Media-engine video types the device service sees.
#pragma once

#include <memory>
#include <string>

#define OLVAR_API __attribute__((visibility("default")))

namespace olvar::ravo {

class OLVAR_API VideoFormat {
public:
    virtual ~VideoFormat() = default;
    virtual int getWidth() const = 0;
    virtual int getHeight() const = 0;
    virtual int getROITop() const = 0;
    virtual int getROILeft() const = 0;
    virtual int getROIBottom() const = 0;
    virtual int getROIRight() const = 0;
    virtual int getROIWidth() const = 0;
    virtual int getROIHeight() const = 0;
    virtual std::string toString() const = 0;
};

// A plain frame format, as the engine reports it after a resolution change.
class OLVAR_API BasicVideoFormat : public VideoFormat {
public:
    BasicVideoFormat(int width, int height, int roiTop, int roiLeft, int roiBottom, int roiRight, int roiWidth,
                     int roiHeight)
        : m_width(width), m_height(height), m_roiTop(roiTop), m_roiLeft(roiLeft), m_roiBottom(roiBottom),
          m_roiRight(roiRight), m_roiWidth(roiWidth), m_roiHeight(roiHeight) {}
    int getWidth() const override { return m_width; }
    int getHeight() const override { return m_height; }
    int getROITop() const override { return m_roiTop; }
    int getROILeft() const override { return m_roiLeft; }
    int getROIBottom() const override { return m_roiBottom; }
    int getROIRight() const override { return m_roiRight; }
    int getROIWidth() const override { return m_roiWidth; }
    int getROIHeight() const override { return m_roiHeight; }
    std::string toString() const override {
        return std::to_string(m_width) + "x" + std::to_string(m_height) + " roi(top " + std::to_string(m_roiTop) +
               ", left " + std::to_string(m_roiLeft) + ", bottom " + std::to_string(m_roiBottom) + ", right " +
               std::to_string(m_roiRight) + ", " + std::to_string(m_roiWidth) + "x" + std::to_string(m_roiHeight) +
               ")";
    }

private:
    int m_width, m_height, m_roiTop, m_roiLeft, m_roiBottom, m_roiRight, m_roiWidth, m_roiHeight;
};

class OLVAR_API VideoRenderObserver {
public:
    virtual ~VideoRenderObserver() = default;
    virtual void onVideoResolutionChanged(void* windowHandle, std::shared_ptr<VideoFormat> format) = 0;
};

}  // namespace olvar::ravo
