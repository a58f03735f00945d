#pragma once

#include "engine/primes/PrimeLine.h"
#include "ui/views/PaintBox.h"

#include <string>
#include <vector>

namespace tallix {

class PrimeSieve;

// The result strip of the factorization window: the factors on light grey,
// runs of equal factors as one base with its count as a raised exponent,
// groups joined by " *  ".
class FactorStrip : public PaintBox {
    Q_OBJECT
public:
    explicit FactorStrip(QWidget* parent);
    void setFactors(std::vector<std::string> factors);
    const std::vector<std::string>& factors() const { return factors_; }

protected:
    void render(QPainter& p) override;

private:
    std::vector<std::string> factors_;
};

// The number line: the axis with its ticks, a red arrow over each prime, and
// the eight controls that move and zoom the range (PrimeLineGeometry).
class PrimeLineBox : public PaintBox {
    Q_OBJECT
public:
    // The sieve must outlive the box.
    PrimeLineBox(const PrimeSieve& sieve, QWidget* parent);

    PrimeLineRange range() const { return range_; }
    void setRange(PrimeLineRange r);
    // Where the controls stand at the current size, in LineControl order.
    std::array<LineControlPlace, kLineControlCount> controlPlaces() const;

protected:
    void render(QPainter& p) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    const PrimeSieve& sieve_;
    PrimeLineRange range_;
};

// The prime map: 1000 x 1000 pixels, one per integer up to a million.
class PrimeMapBox : public PaintBox {
    Q_OBJECT
public:
    // The sieve must outlive the box.
    PrimeMapBox(const PrimeSieve& sieve, QWidget* parent);

protected:
    void render(QPainter& p) override;

private:
    const PrimeSieve& sieve_;
    QImage map_; // drawn once, at one pixel per integer
};

} // namespace tallix
