"""Reads SVG figures with an XML parser and maps every plotted polyline back through its axes.

For each file: "FILE|OK" or "FILE|ERROR|message" when it is not well-formed XML or not an SVG.
For each polyline of class "series" inside a panel group (class "panel"):
"POLY|FILE|QUANTITY|INDEX|XMIN|XMAX|YMIN|YMAX|XHALF|YHALF": the extreme points of the polyline
as values of the panel's axes, and half a pixel in those values. An axis is taken from its first
and last tick group (class "xtick"/"ytick"): the tick's value (data-value) and the position of
its line.
"""
import sys
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"


def axis(panel, kind):
    ticks = []
    for g in panel.iter(SVG + "g"):
        if g.get("class") == kind:
            line = g.find(SVG + "line")
            pos = float(line.get("x1" if kind == "xtick" else "y1"))
            ticks.append((pos, float(g.get("data-value"))))
    (p0, v0), (p1, v1) = ticks[0], ticks[-1]
    scale = (v1 - v0) / (p1 - p0)
    return (lambda px: v0 + (px - p0) * scale), 0.5 * abs(scale)


def main(paths):
    for path in paths:
        try:
            root = ET.parse(path).getroot()
        except ET.ParseError as e:
            print(f"{path}|ERROR|{e}")
            continue
        if root.tag != SVG + "svg":
            print(f"{path}|ERROR|root element is {root.tag}")
            continue
        print(f"{path}|OK")
        for panel in root.iter(SVG + "g"):
            if panel.get("class") != "panel":
                continue
            xval, xhalf = axis(panel, "xtick")
            yval, yhalf = axis(panel, "ytick")
            index = 0
            for poly in panel.iter(SVG + "polyline"):
                if poly.get("class") != "series":
                    continue
                pts = [tuple(map(float, p.split(","))) for p in poly.get("points").split()]
                xs = [xval(x) for x, _ in pts]
                ys = [yval(y) for _, y in pts]
                print("POLY|%s|%s|%d|%r|%r|%r|%r|%r|%r" % (path, panel.get("data-quantity"), index,
                      min(xs), max(xs), min(ys), max(ys), xhalf, yhalf))
                index += 1


if __name__ == "__main__":
    main(sys.argv[1:])
