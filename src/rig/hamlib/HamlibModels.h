#pragma once

#include <QString>
#include <vector>

// The radios libhamlib knows, for choosing a model by its name.
struct HamlibModel {
    int number;
    QString name; // "Icom IC-7300"
};

// Every model of every back end, in Hamlib's order.
std::vector<HamlibModel> hamlibModels();
