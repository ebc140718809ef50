// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QFont>
#include <QPainter>

#include "wheels/draw_surface.h"

namespace quintaro {

// The drawing surface on a QPainter: the wheel window, the printer, PNG images and PDF files.
// The painter draws on a device of deviceWidth x deviceHeight pixels (or printer dots); fonts
// are sized in points at the device's resolution.
class PainterSurface final : public DrawSurface {
  public:
    PainterSurface(QPainter& painter, double deviceWidth, double deviceHeight);

    double textWidth(std::string_view text) const override;
    double textHeight(std::string_view text) const override;

    // The font the surface's current font definition stands for on this device.
    QFont currentFont() const;
    DeviceMapping mapping() const;

  protected:
    void drawClear(Color background) override;
    void drawLine(Point from, Point to) override;
    void drawCircle(Point centre, double radius) override;
    void drawText(Point topLeft, std::string_view text) override;

  private:
    QString shownText(std::string_view text) const;
    void applyPen();

    QPainter& painter_;
    double width_;
    double height_;
};

}  // namespace quintaro
