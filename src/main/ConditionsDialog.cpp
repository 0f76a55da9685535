#include "main/ConditionsDialog.h"

#include "main/ConditionsStore.h"
#include "model/Numeric.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <cstring>

namespace corvellan {

namespace {

using steam::Conditions;
using steam::UnitSystem;

enum class UnitKind { Pressure, GaugePressure, AbsolutePressure, Temperature, Speed, Percent,
                      Length, None };

struct ConditionRow {
    const char* name;
    const char* meaning;
    UnitKind unit;
    // The text an empty box stands for, where it may be left empty.
    const char* emptyMeans;
};

const ConditionRow kRows[] = {
    {"ChestPressure", "Steam-chest pressure", UnitKind::GaugePressure, nullptr},
    {"ChestTemperature", "Steam temperature in the chest", UnitKind::Temperature,
     "empty: dry saturated"},
    {"BackPressure", "Exhaust (back) pressure", UnitKind::GaugePressure, nullptr},
    {"Atmosphere", "Atmospheric pressure", UnitKind::AbsolutePressure, nullptr},
    {"Speed", "Driver speed", UnitKind::Speed, nullptr},
    {"ClearanceFront", "Front clearance volume", UnitKind::Percent, nullptr},
    {"ClearanceRear", "Rear clearance volume", UnitKind::Percent, nullptr},
    {"PortBreadth", "Port breadth across the valve face", UnitKind::Length,
     "empty: 0.8 x CylBoreDia"},
    {"DischargeCoefficient", "Discharge coefficient of the port edges", UnitKind::None, nullptr},
    {"PistonRodDia", "Piston rod diameter (rear cover)", UnitKind::Length,
     "empty: 0.15 x CylBoreDia"},
    {"Cylinders", "Cylinders of the engine", UnitKind::None, nullptr},
    {"Gamma", "Ratio of specific heats of the perfect gas", UnitKind::None, nullptr},
};

QString unitText(UnitKind k, UnitSystem u) {
    const steam::UnitScales& s = steam::unitScales(u);
    switch (k) {
    case UnitKind::Pressure:
        return QString::fromLatin1(s.pressureName);
    case UnitKind::GaugePressure:
        return QString::fromLatin1(s.pressureName) + " gauge";
    case UnitKind::AbsolutePressure:
        return QString::fromLatin1(s.pressureName) + " absolute";
    case UnitKind::Temperature:
        return u == UnitSystem::Metric ? QString::fromUtf8("\u00b0C") : QString::fromUtf8("\u00b0F");
    case UnitKind::Speed:
        return "rpm";
    case UnitKind::Percent:
        return QString::fromUtf8("% of that end's swept volume");
    case UnitKind::Length:
        return QString::fromLatin1(s.lengthName) + " (the gear's length unit)";
    case UnitKind::None:
        break;
    }
    return {};
}

// A figure as held, or, just converted to other units, to six digits as a
// user would type it.
QString number(double v, bool converted) {
    return QString::fromStdString(converted ? formatGeneral(v, 6) : shortestText(v));
}

// The number in a box; an empty box gives nullopt with ok set when
// `mayBeEmpty`.
bool readNumber(const QLineEdit* e, const char* name, bool mayBeEmpty, std::optional<double>& v,
                QString* error) {
    const std::string text = e->text().trimmed().toStdString();
    if (text.empty() && mayBeEmpty) {
        v.reset();
        return true;
    }
    bool ok = false;
    const Ext x = parseReal(text, &ok);
    if (!ok || !std::isfinite(static_cast<double>(x))) {
        *error = QString("%1 \"%2\" is not a number").arg(name, e->text());
        return false;
    }
    v = static_cast<double>(x);
    return true;
}

} // namespace

TConditions::TConditions(const Model& model, ConditionsStore& store, QWidget* parent)
    : QDialog(parent), m_(model), store_(store) {
    setObjectName("TConditions");
    setWindowTitle(QString::fromUtf8("Operating Conditions"));
    setModal(true);

    auto* grid = new QGridLayout;
    int r = 0;
    units_ = new QComboBox(this);
    units_->setObjectName("Units");
    units_->addItem("imperial: in, psi, \u00b0F, lb, hp", static_cast<int>(UnitSystem::Imperial));
    units_->addItem("metric: mm, bar, \u00b0C, kg, kW", static_cast<int>(UnitSystem::Metric));
    grid->addWidget(new QLabel("Units", this), r, 0);
    grid->addWidget(units_, r, 1, 1, 2);
    ++r;
    fluid_ = new QComboBox(this);
    fluid_->setObjectName("Fluid");
    fluid_->addItem("steam (IAPWS-IF97)", static_cast<int>(steam::FluidKind::Steam));
    fluid_->addItem("perfect gas", static_cast<int>(steam::FluidKind::PerfectGas));
    grid->addWidget(new QLabel("Fluid", this), r, 0);
    grid->addWidget(fluid_, r, 1, 1, 2);
    ++r;
    for (const ConditionRow& row : kRows) {
        auto* label = new QLabel(QString::fromLatin1(row.name), this);
        label->setToolTip(QString::fromLatin1(row.meaning));
        auto* edit = new QLineEdit(this);
        edit->setObjectName(row.name);
        edit->setMinimumWidth(180);
        edit->setToolTip(QString::fromLatin1(row.meaning));
        if (row.emptyMeans) edit->setPlaceholderText(QString::fromLatin1(row.emptyMeans));
        auto* unit = new QLabel(this);
        unit->setObjectName(QString::fromLatin1(row.name) + "Unit");
        grid->addWidget(label, r, 0);
        grid->addWidget(edit, r, 1);
        grid->addWidget(unit, r, 2);
        rows_.push_back({row.name, edit, unit});
        ++r;
    }
    message_ = new QLabel(this);
    message_->setObjectName("ConditionsMessage");
    message_->setWordWrap(true);
    message_->setStyleSheet("color: #c00000");

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* defaults = buttons->addButton("Defaults", QDialogButtonBox::ResetRole);
    defaults->setObjectName("ConditionsDefaults");
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ConditionsOk");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("ConditionsCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { apply(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(defaults, &QPushButton::clicked, this, [this] {
        const auto u = static_cast<UnitSystem>(units_->currentData().toInt());
        showConditions(steam::defaultConditions(u), u != UnitSystem::Imperial);
    });
    connect(units_, &QComboBox::currentIndexChanged, this, &TConditions::unitsChanged);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(message_);
    layout->addWidget(buttons);
    refill();
}

QLineEdit* TConditions::field(const char* name) const {
    for (const Row& r : rows_)
        if (std::strcmp(r.name, name) == 0) return r.edit;
    return nullptr;
}

void TConditions::refill() {
    message_->clear();
    showConditions(store_.conditions());
}

void TConditions::showConditions(const Conditions& c, bool converted) {
    {
        const QSignalBlocker quiet(units_);
        units_->setCurrentIndex(units_->findData(static_cast<int>(c.Units)));
    }
    fluid_->setCurrentIndex(fluid_->findData(static_cast<int>(c.Fluid)));
    showUnits(c.Units);
    auto set = [this, converted](const char* name, std::optional<double> v) {
        if (QLineEdit* e = field(name)) e->setText(v ? number(*v, converted) : QString());
    };
    set("ChestPressure", c.ChestPressure);
    set("ChestTemperature", c.ChestTemperature);
    set("BackPressure", c.BackPressure);
    set("Atmosphere", c.Atmosphere);
    set("Speed", c.Speed);
    set("ClearanceFront", c.ClearanceFront);
    set("ClearanceRear", c.ClearanceRear);
    set("PortBreadth", c.PortBreadth);
    set("DischargeCoefficient", c.DischargeCoefficient);
    set("PistonRodDia", c.PistonRodDia);
    set("Cylinders", c.Cylinders);
    set("Gamma", c.Gamma);
}

void TConditions::showUnits(UnitSystem u) {
    shownUnits_ = u;
    for (size_t i = 0; i < rows_.size(); ++i)
        rows_[i].unit->setText(unitText(kRows[i].unit, u));
}

bool TConditions::parse(Conditions& c, QString* error) const {
    c = steam::defaultConditions(shownUnits_);
    c.Units = shownUnits_;
    c.Fluid = static_cast<steam::FluidKind>(fluid_->currentData().toInt());
    std::optional<double> v;
    for (size_t i = 0; i < rows_.size(); ++i) {
        const ConditionRow& row = kRows[i];
        if (!readNumber(rows_[i].edit, row.name, row.emptyMeans != nullptr, v, error))
            return false;
        const std::string name = row.name;
        if (name == "ChestPressure") c.ChestPressure = *v;
        if (name == "ChestTemperature") c.ChestTemperature = v;
        if (name == "BackPressure") c.BackPressure = *v;
        if (name == "Atmosphere") c.Atmosphere = *v;
        if (name == "Speed") c.Speed = *v;
        if (name == "ClearanceFront") c.ClearanceFront = *v;
        if (name == "ClearanceRear") c.ClearanceRear = *v;
        if (name == "PortBreadth") c.PortBreadth = v;
        if (name == "DischargeCoefficient") c.DischargeCoefficient = *v;
        if (name == "PistonRodDia") c.PistonRodDia = v;
        if (name == "Gamma") c.Gamma = *v;
        if (name == "Cylinders") {
            if (*v != std::floor(*v) || *v < 1 || *v > steam::kMaxCylinders) {
                *error = QString("Cylinders %1 is not a whole number from 1 to %2")
                             .arg(rows_[i].edit->text())
                             .arg(steam::kMaxCylinders);
                return false;
            }
            c.Cylinders = static_cast<int>(*v);
        }
    }
    return true;
}

bool TConditions::read(Conditions& c, QString* error) const {
    if (!parse(c, error)) return false;
    const std::string problem = steam::validateConditions(c, m_.cyl.CylBoreDia);
    if (!problem.empty()) *error = QString::fromStdString(problem);
    return problem.empty();
}

bool TConditions::apply() {
    Conditions c;
    QString error;
    if (!read(c, &error)) {
        if (!error.isEmpty()) error.front() = error.front().toUpper();
        message_->setText(error + ".");
        return false;
    }
    message_->clear();
    store_.set(c);
    accept();
    return true;
}

void TConditions::unitsChanged() {
    const auto to = static_cast<UnitSystem>(units_->currentData().toInt());
    // The figures as they stand, converted; when a box does not read, the
    // figures are left for "OK" to name.
    Conditions c;
    QString error;
    if (parse(c, &error))
        showConditions(steam::convertUnits(c, to), true);
    else
        showUnits(to);
}

} // namespace corvellan
