#include "PdfTransparencyScan.h"

#include <QFile>
#include <QTransform>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <cmath>
#include <memory>
#include <set>

namespace {

constexpr int kMaxFormDepth = 12;

double number(QPDFObjectHandle h, double fallback)
{
    return h.isNumber() ? h.getNumericValue() : fallback;
}

QTransform matrixOf(QPDFObjectHandle array)
{
    if (!array.isArray() || array.getArrayNItems() != 6)
        return {};
    double m[6];
    for (int i = 0; i < 6; ++i)
        m[i] = number(array.getArrayItem(i), i == 0 || i == 3 ? 1 : 0);
    return {m[0], m[1], m[2], m[3], m[4], m[5]};
}

QRectF rectOf(QPDFObjectHandle array)
{
    if (!array.isArray() || array.getArrayNItems() != 4)
        return {};
    const double x0 = number(array.getArrayItem(0), 0), y0 = number(array.getArrayItem(1), 0);
    const double x1 = number(array.getArrayItem(2), 0), y1 = number(array.getArrayItem(3), 0);
    return QRectF(QPointF(std::min(x0, x1), std::min(y0, y1)), QPointF(std::max(x0, x1), std::max(y0, y1)));
}

QPDFObjectHandle entry(QPDFObjectHandle dict, const char *category, const std::string &name)
{
    if (!dict.isDictionary())
        return QPDFObjectHandle::newNull();
    QPDFObjectHandle sub = dict.getKey(category);
    return sub.isDictionary() ? sub.getKey(name) : QPDFObjectHandle::newNull();
}

class Walker : public QPDFObjectHandle::ParserCallbacks
{
public:
    Walker(QPDFObjectHandle resources, const QTransform &ctm, std::vector<PdfTransparencyScan::Area> &out,
           std::set<QPDFObjGen> &open, int depth)
        : m_resources(resources), m_out(out), m_open(open), m_depth(depth)
    {
        m_state.push_back(State{ctm, 1.0});
    }

    void handleObject(QPDFObjectHandle obj) override
    {
        if (!obj.isOperator()) {
            m_operands.push_back(obj);
            return;
        }
        const std::string op = obj.getOperatorValue();
        if (op == "q") {
            m_state.push_back(m_state.back());
        } else if (op == "Q") {
            if (m_state.size() > 1)
                m_state.pop_back();
        } else if (op == "cm" && m_operands.size() == 6) {
            double m[6];
            for (int i = 0; i < 6; ++i)
                m[i] = number(m_operands[size_t(i)], 0);
            m_state.back().ctm = QTransform(m[0], m[1], m[2], m[3], m[4], m[5]) * m_state.back().ctm;
        } else if (op == "gs" && m_operands.size() == 1 && m_operands[0].isName()) {
            setGraphicsState(entry(m_resources, "/ExtGState", m_operands[0].getName()));
        } else if (op == "Do" && m_operands.size() == 1 && m_operands[0].isName()) {
            drawForm(entry(m_resources, "/XObject", m_operands[0].getName()));
        }
        m_operands.clear();
    }

    void handleEOF() override {}

private:
    struct State
    {
        QTransform ctm;
        double fillAlpha;
    };

    void add(const QRectF &userRect, const QTransform &toDevice, const char *reason)
    {
        const QRectF device = toDevice.mapRect(userRect);
        if (device.isValid() && std::isfinite(device.width()) && std::isfinite(device.height()))
            m_out.push_back({device, QString::fromLatin1(reason)});
    }

    void setGraphicsState(QPDFObjectHandle gs)
    {
        if (!gs.isDictionary())
            return;
        if (gs.hasKey("/ca"))
            m_state.back().fillAlpha = number(gs.getKey("/ca"), 1);
        // A soft mask shows nothing outside its group's box: that box is all
        // the masked drawing can cover.
        QPDFObjectHandle mask = gs.getKey("/SMask");
        if (mask.isDictionary()) {
            QPDFObjectHandle group = mask.getKey("/G");
            if (group.isStream()) {
                QPDFObjectHandle dict = group.getDict();
                add(rectOf(dict.getKey("/BBox")), matrixOf(dict.getKey("/Matrix")) * m_state.back().ctm, "a soft mask");
            }
        }
    }

    void drawForm(QPDFObjectHandle form)
    {
        if (!form.isStream())
            return;
        QPDFObjectHandle dict = form.getDict();
        if (!dict.getKey("/Subtype").isNameAndEquals("/Form"))
            return;
        const QTransform ctm = matrixOf(dict.getKey("/Matrix")) * m_state.back().ctm;
        QPDFObjectHandle group = dict.getKey("/Group");
        if (group.isDictionary() && group.getKey("/S").isNameAndEquals("/Transparency") &&
            m_state.back().fillAlpha < 0.999) {
            add(rectOf(dict.getKey("/BBox")), ctm, "a transparency group's opacity");
            return;
        }
        const QPDFObjGen id = form.getObjGen();
        if (m_depth >= kMaxFormDepth || m_open.count(id))
            return;
        m_open.insert(id);
        QPDFObjectHandle resources = dict.getKey("/Resources");
        Walker inner(resources.isDictionary() ? resources : m_resources, ctm, m_out, m_open, m_depth + 1);
        inner.m_state.back().fillAlpha = m_state.back().fillAlpha;
        form.parseAsContents(&inner);
        m_open.erase(id);
    }

    QPDFObjectHandle m_resources;
    std::vector<PdfTransparencyScan::Area> &m_out;
    std::set<QPDFObjGen> &m_open;
    int m_depth;
    std::vector<State> m_state;
    std::vector<QPDFObjectHandle> m_operands;
};

// PDF user space of the page to device pixels, as Poppler draws it: the crop
// box's corner at the origin, y downwards, turned by /Rotate.
QTransform pageToDevice(QPDFPageObjectHelper &page, double zoom)
{
    const QRectF box = rectOf(page.getCropBox(true));
    const double s = zoom / 72.0;
    int rotate = int(std::lround(number(page.getAttribute("/Rotate", false), 0))) % 360;
    if (rotate < 0)
        rotate += 360;
    const double x0 = box.left(), y0 = box.top(), x1 = box.right(), y1 = box.bottom(); // y0 < y1 in PDF space
    switch (rotate) {
    case 90:
        return {0, s, s, 0, -y0 * s, -x0 * s};
    case 180:
        return {-s, 0, 0, s, x1 * s, -y0 * s};
    case 270:
        return {0, -s, -s, 0, y1 * s, x1 * s};
    default:
        return {s, 0, 0, -s, -x0 * s, y1 * s};
    }
}

// The page by its index, found through the page tree's counts: the converter
// runs once per page, and listing every page of a long document each time
// would make the import quadratic.
QPDFObjectHandle findPage(QPDFObjectHandle node, int index)
{
    for (int depth = 0; depth < 64 && node.isDictionary(); ++depth) {
        QPDFObjectHandle kids = node.getKey("/Kids");
        if (!kids.isArray())
            return index == 0 ? node : QPDFObjectHandle::newNull();
        QPDFObjectHandle total = node.getKey("/Count");
        if (total.isInteger() && total.getIntValue() == kids.getArrayNItems()) {
            // Every kid is a page: no need to read those before it.
            node = index < kids.getArrayNItems() ? kids.getArrayItem(index) : QPDFObjectHandle::newNull();
            index = 0;
            continue;
        }
        QPDFObjectHandle next = QPDFObjectHandle::newNull();
        for (int i = 0; i < kids.getArrayNItems(); ++i) {
            QPDFObjectHandle kid = kids.getArrayItem(i);
            QPDFObjectHandle count = kid.isDictionary() ? kid.getKey("/Count") : QPDFObjectHandle::newNull();
            const int n =
                kid.isDictionary() && kid.getKey("/Kids").isArray() && count.isInteger() ? int(count.getIntValue()) : 1;
            if (index < n) {
                next = kid;
                break;
            }
            index -= n;
        }
        node = next;
    }
    return QPDFObjectHandle::newNull();
}

// Whether a graphics state can be set with these resources or with those of
// the forms they hold: without one, nothing the walk looks for can happen (no
// opacity, no soft mask) and the content need not be read.
bool setsGraphicsState(QPDFObjectHandle resources, std::set<QPDFObjGen> &seen, int depth)
{
    if (!resources.isDictionary())
        return false;
    QPDFObjectHandle states = resources.getKey("/ExtGState");
    if (states.isDictionary() && !states.getKeys().empty())
        return true;
    QPDFObjectHandle objects = resources.getKey("/XObject");
    if (!objects.isDictionary())
        return false;
    for (const std::string &key : objects.getKeys()) {
        QPDFObjectHandle form = objects.getKey(key);
        if (!form.isStream() || !form.getDict().getKey("/Subtype").isNameAndEquals("/Form") ||
            !seen.insert(form.getObjGen()).second)
            continue;
        if (depth >= kMaxFormDepth || setsGraphicsState(form.getDict().getKey("/Resources"), seen, depth + 1))
            return true;
    }
    return false;
}

// A document opened ahead (see preload()), and the mapping qpdf reads it from.
struct Opened
{
    QString path;
    QFile file;
    std::unique_ptr<QPDF> pdf;
};

Opened &preloaded()
{
    static Opened opened;
    return opened;
}

// Mapped rather than read: qpdf reads the cross-reference table line by line,
// two system calls a line from a file, nothing from memory. Throws what qpdf
// throws; false when the file cannot be mapped.
bool open(Opened &opened, const QString &pdfPath)
{
    opened.path = pdfPath;
    opened.file.setFileName(pdfPath);
    const uchar *bytes = opened.file.open(QIODevice::ReadOnly) ? opened.file.map(0, opened.file.size()) : nullptr;
    if (!bytes)
        return false;
    opened.pdf = std::make_unique<QPDF>();
    opened.pdf->setSuppressWarnings(true);
    opened.pdf->processMemoryFile(pdfPath.toLocal8Bit().constData(), reinterpret_cast<const char *>(bytes),
                                  size_t(opened.file.size()));
    return true;
}

} // namespace

void PdfTransparencyScan::preload(const QString &pdfPath)
{
    Opened &opened = preloaded();
    try {
        if (!open(opened, pdfPath))
            opened.pdf.reset();
    } catch (const std::exception &) {
        opened.pdf.reset(); // each page tries again, and finds what it finds
    }
}

std::vector<PdfTransparencyScan::Area> PdfTransparencyScan::lostAreas(const QString &pdfPath, int page, double zoom)
{
    std::vector<Area> areas;
    try {
        Opened own;
        QPDF *pdf = preloaded().pdf && preloaded().path == pdfPath ? preloaded().pdf.get() : nullptr;
        if (!pdf) {
            if (!open(own, pdfPath))
                return {};
            pdf = own.pdf.get();
        }
        QPDFObjectHandle node = findPage(pdf->getRoot().getKey("/Pages"), page - 1);
        if (!node.isDictionary())
            return {};
        QPDFPageObjectHelper p(node);
        std::set<QPDFObjGen> open;
        if (!setsGraphicsState(p.getAttribute("/Resources", false), open, 0))
            return {};
        open.clear();
        Walker walker(p.getAttribute("/Resources", false), pageToDevice(p, zoom), areas, open, 0);
        p.parseContents(&walker);
    } catch (const std::exception &) {
        // Whatever was found before the damage still counts.
    }
    return areas;
}
