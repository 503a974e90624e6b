#pragma once

// The application object of a program without windows that may draw charts
// (tallyra-cli): the widgets' one, off screen, when it draws a chart, since
// the charts are graphics widgets; else the core one, which loads no painting
// plugin and needs no display. With the widgets' one a ChartRenderer is
// installed as the ChartPainter for as long as the application lives.

#include <QCoreApplication>

#include <memory>

namespace ChartProgram {

// True when the command line asks for a chart (--chart, --format png|svg).
bool drawsChart(int argc, char** argv);

// `argc` must outlive the application, as QCoreApplication requires.
std::unique_ptr<QCoreApplication> application(int& argc, char** argv);

}  // namespace ChartProgram
