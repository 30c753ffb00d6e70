# Reads a drawing file back as a CAD reader would and prints what the tests
# compare, one item a line at full precision:
#   unit N | layer NAME | pin NAME X Y R | arc LAYER CX CY R | block NAME
# A DXF is read with ezdxf (pins are unnamed: NAME is "-"), an SVG with the
# standard XML parser (pins are the circles of the PINS groups, named by id).
import sys
import xml.etree.ElementTree as ET


def read_dxf(path):
    import ezdxf
    doc = ezdxf.readfile(path)
    print("unit", doc.header.get("$INSUNITS", 0))
    for layer in doc.layers:
        print("layer", layer.dxf.name)
    for block in doc.blocks:
        if not block.name.startswith("*"):
            print("block", block.name)
    for e in doc.modelspace():
        if e.dxftype() == "CIRCLE" and e.dxf.layer == "PINS":
            print("pin - %r %r %r" % (e.dxf.center.x, e.dxf.center.y, e.dxf.radius))
        elif e.dxftype() == "ARC":
            print("arc %s %r %r %r" % (e.dxf.layer, e.dxf.center.x, e.dxf.center.y, e.dxf.radius))


def read_svg(path):
    ns = "{http://www.w3.org/2000/svg}"
    root = ET.parse(path).getroot()
    print("size", root.get("width"), root.get("height"))
    for group in root.iter(ns + "g"):
        if not (group.get("id") or "").endswith("-PINS"):
            continue
        for c in group.iter(ns + "circle"):
            print("pin %s %s %s %s" % (c.get("id") or "-", c.get("cx"), c.get("cy"), c.get("r")))


(read_svg if sys.argv[1].endswith(".svg") else read_dxf)(sys.argv[1])
