<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>TextResources</name>
    <message>
        <source>Program description</source>
        <comment>11</comment>
        <translation>Programmbeschreibung</translation>
    </message>
    <message>
        <source>This is a Kelvane program to build a graph of input values or construct a graph based on the values of the certain time period queried from Access database.</source>
        <comment>12</comment>
        <translation>Dies ist ein Kelvane-Programm, das ein Diagramm der eingegebenen Werte zeichnet oder ein Diagramm aus den Werten eines bestimmten Zeitraums erstellt, die aus der Access-Datenbank abgefragt werden.</translation>
    </message>
    <message>
        <source>Data input</source>
        <comment>13</comment>
        <translation>Dateneingabe</translation>
    </message>
    <message>
        <source>&amp;Input</source>
        <comment>20</comment>
        <translation>&amp;Eingabe</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <comment>21</comment>
        <translation>Zu&amp;rücksetzen</translation>
    </message>
    <message>
        <source>Data entered with time stamp</source>
        <comment>22</comment>
        <translation>Eingegebene Daten mit Zeitstempel</translation>
    </message>
    <message>
        <source>n</source>
        <comment>23</comment>
        <translation>n</translation>
    </message>
    <message>
        <source>data</source>
        <comment>24</comment>
        <translation>Daten</translation>
    </message>
    <message>
        <source>time stamp</source>
        <comment>27</comment>
        <translation>Zeitstempel</translation>
    </message>
    <message>
        <source>Chart</source>
        <comment>28</comment>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>Field to draw current graph or graph of selected time period queried from database:</source>
        <comment>29</comment>
        <translation>Feld für das aktuelle Diagramm oder das Diagramm eines aus der Datenbank abgefragten Zeitraums:</translation>
    </message>
    <message>
        <source>Data&amp;base</source>
        <comment>30</comment>
        <translation>D&amp;atenbank</translation>
    </message>
    <message>
        <source>Full &amp;screen</source>
        <comment>31</comment>
        <translation>&amp;Vollbild</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <comment>32</comment>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Written by the Kelvane program developers, December 2026, https://kelvane.example.org</source>
        <comment>34</comment>
        <translation>Geschrieben von den Entwicklern des Kelvane-Programms, Dezember 2026, https://kelvane.example.org</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>35</comment>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Query database for data of certain time period</source>
        <comment>41</comment>
        <translation>Daten eines bestimmten Zeitraums aus der Datenbank abfragen</translation>
    </message>
    <message>
        <source>Input the SQL query to get the data of certain time period. For example, to draw the chart based on calculation data from 01.12.2005 between 14:08:45 and 14:10:45, you have to enter:                                                                                                                         SELECT Date,Time, number, Data FROM GraphData  WHERE Date =&apos;01.12.2005&apos; AND Time between &apos;14:08:45&apos; and &apos;14:10:45&apos;    To correctly scale the chart, do not select too long period of time. </source>
        <comment>42</comment>
        <translatorcomment>The label lblSQLDlgDescr is 7815 twips (521 px) wide in Tahoma 9.75 pt and wraps its text; a blank is about 4 px wide there. Each of the three runs of blanks is 130 blanks long, wider than the label itself, so that the query&apos;s first line, its second line and the closing advice each start a line of their own wherever the line before ends (the English text&apos;s runs of 2 and 4 blanks do not do this). The query itself is not translated.</translatorcomment>
        <translation>Geben Sie die SQL-Abfrage ein, um die Daten eines bestimmten Zeitraums abzurufen. Um zum Beispiel das Diagramm aus den Berechnungsdaten vom 01.12.2005 zwischen 14:08:45 und 14:10:45 zu zeichnen, geben Sie ein:                                                                                                                                  SELECT Date,Time, number, Data FROM GraphData                                                                                                                                  WHERE Date =&apos;01.12.2005&apos; AND Time between &apos;14:08:45&apos; and &apos;14:10:45&apos;                                                                                                                                  Wählen Sie keinen zu langen Zeitraum, damit das Diagramm richtig skaliert wird. </translation>
    </message>
    <message>
        <source>SQL Query</source>
        <comment>43</comment>
        <translation>SQL-Abfrage</translation>
    </message>
    <message>
        <source>&amp;SELECT query</source>
        <comment>44</comment>
        <translatorcomment>The button runs the query; 89 px wide: &quot;SELECT-Abfrage&quot; does not fit.</translatorcomment>
        <translation>Aus&amp;führen</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <comment>45</comment>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Type mismatch or input error: only numeric data can be entered</source>
        <comment>47</comment>
        <translation>Typen unverträglich oder Eingabefehler: Es können nur numerische Daten eingegeben werden</translation>
    </message>
    <message>
        <source>Error of SQL query to database: first, select the Access database file. </source>
        <comment>49</comment>
        <translation>Fehler der SQL-Abfrage an die Datenbank: Wählen Sie zuerst die Access-Datenbankdatei aus. </translation>
    </message>
    <message>
        <source>Type mismatch or input error. Probable cause: 1. no data entered by the user, 2. only numeric data can be entered, 3. the point can not be used as a separator of integer and fractional parts.</source>
        <comment>50</comment>
        <translation>Typen unverträglich oder Eingabefehler. Mögliche Ursachen: 1. es wurden keine Daten eingegeben, 2. es können nur numerische Daten eingegeben werden, 3. der Punkt kann nicht als Dezimaltrennzeichen verwendet werden.</translation>
    </message>
    <message>
        <source>Error of SQL query: check the query syntax and input data.</source>
        <comment>58</comment>
        <translation>Fehler der SQL-Abfrage: Prüfen Sie die Syntax der Abfrage und die eingegebenen Daten.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <comment>59</comment>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <comment>60</comment>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Database</source>
        <comment>61</comment>
        <translation>Daten&amp;bank</translation>
    </message>
    <message>
        <source>&amp;SQL Query</source>
        <comment>63</comment>
        <translation>&amp;SQL-Abfrage</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <comment>64</comment>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Kelvane program</source>
        <comment>65</comment>
        <translation>&amp;Info über Kelvane-Programm</translation>
    </message>
    <message>
        <source>&amp;Select Database file...</source>
        <comment>66</comment>
        <translation>D&amp;atenbankdatei auswählen...</translation>
    </message>
    <message>
        <source>&amp;Number on X</source>
        <comment>67</comment>
        <translatorcomment>Button of 81 px: &quot;Nummer auf X&quot; fills it to the frame, hence the abbreviation.</translatorcomment>
        <translation>&amp;Nr. auf X</translation>
    </message>
    <message>
        <source>&amp;Time on X</source>
        <comment>68</comment>
        <translation>&amp;Zeit auf X</translation>
    </message>
    <message>
        <source>Overflow or input error: only numbers between -3.4E+34 and 3.4E+34 can be entered</source>
        <comment>69</comment>
        <translation>Überlauf oder Eingabefehler: Es können nur Zahlen zwischen -3.4E+34 und 3.4E+34 eingegeben werden</translation>
    </message>
    <message>
        <source>Entry %1 (%2) was listed but not recorded completely.</source>
        <comment>70</comment>
        <translation>Eintrag %1 (%2) wurde in die Liste aufgenommen, aber nicht vollständig aufgezeichnet.</translation>
    </message>
    <message>
        <source>Not written to the log file: %1</source>
        <comment>71</comment>
        <translation>Nicht in die Protokolldatei geschrieben: %1</translation>
    </message>
    <message>
        <source>Not stored in the database: %1</source>
        <comment>72</comment>
        <translation>Nicht in der Datenbank gespeichert: %1</translation>
    </message>
    <message>
        <source>Reading rows from the database: %1</source>
        <comment>73</comment>
        <translation>Zeilen werden aus der Datenbank gelesen: %1</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <comment>74</comment>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Follow new rows</source>
        <comment>80</comment>
        <translation>&amp;Neue Zeilen verfolgen</translation>
    </message>
    <message>
        <source>&amp;Period...</source>
        <comment>81</comment>
        <translation>&amp;Zeitraum...</translation>
    </message>
    <message>
        <source>&amp;Chart</source>
        <comment>82</comment>
        <translation>&amp;Darstellen</translation>
    </message>
    <message>
        <source>&amp;From</source>
        <comment>83</comment>
        <translation>&amp;Von</translation>
    </message>
    <message>
        <source>&amp;To</source>
        <comment>84</comment>
        <translation>&amp;Bis</translation>
    </message>
    <message>
        <source>&amp;Last hour</source>
        <comment>85</comment>
        <translation>&amp;Letzte Stunde</translation>
    </message>
    <message>
        <source>Last &amp;8 hours</source>
        <comment>86</comment>
        <translatorcomment>Button of 97 px: &quot;Letzte 8 Stunden&quot; does not fit.</translatorcomment>
        <translation>Letzte &amp;8 Std.</translation>
    </message>
    <message>
        <source>Last 2&amp;4 hours</source>
        <comment>87</comment>
        <translatorcomment>Button of 97 px: &quot;Letzte 24 Stunden&quot; does not fit.</translatorcomment>
        <translation>Letzte 2&amp;4 Std.</translation>
    </message>
    <message>
        <source>To&amp;day</source>
        <comment>88</comment>
        <translation>&amp;Heute</translation>
    </message>
    <message>
        <source>&amp;Edit as SQL</source>
        <comment>89</comment>
        <translatorcomment>Button of 89 px: &quot;Als SQL bearbeiten&quot; does not fit.</translatorcomment>
        <translation>&amp;SQL ändern</translation>
    </message>
    <message>
        <source>&amp;Export chart...</source>
        <comment>90</comment>
        <translation>Diagramm &amp;exportieren...</translation>
    </message>
    <message>
        <source>&amp;Print chart...</source>
        <comment>91</comment>
        <translation>&amp;Diagramm drucken...</translation>
    </message>
    <message>
        <source>Expo&amp;rt rows...</source>
        <comment>92</comment>
        <translation>&amp;Zeilen exportieren...</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <comment>93</comment>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Values entered in this run</source>
        <comment>94</comment>
        <translation>In diesem Durchlauf eingegebene Werte</translation>
    </message>
    <message>
        <source>The most recent rows of %1</source>
        <comment>95</comment>
        <translation>Die neuesten Zeilen aus %1</translation>
    </message>
    <message>
        <source>Rows of the query %1 in %2</source>
        <comment>96</comment>
        <translation>Zeilen der Abfrage %1 in %2</translation>
    </message>
    <message>
        <source>Printed %1</source>
        <comment>97</comment>
        <translation>Gedruckt am %1</translation>
    </message>
    <message>
        <source>PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)</source>
        <comment>98</comment>
        <translation>PNG-Bild (*.png);;SVG-Zeichnung (*.svg);;PDF-Dokument (*.pdf)</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <comment>99</comment>
        <translation>Kommagetrennte Werte (*.csv)</translation>
    </message>
    <message>
        <source>Entry %1 (%2) could not be stored in %3 for now: %4

The value is kept and will be stored when the database answers again.</source>
        <comment>100</comment>
        <translation>Eintrag %1 (%2) konnte vorerst nicht in %3 gespeichert werden: %4

Der Wert wird aufbewahrt und gespeichert, sobald die Datenbank wieder antwortet.</translation>
    </message>
    <message>
        <source>%1 values waiting to be stored in %2</source>
        <comment>101</comment>
        <translation>%1 Werte warten auf Speicherung in %2</translation>
    </message>
    <message>
        <source>%1 value waiting to be stored in %2</source>
        <comment>102</comment>
        <translation>%1 Wert wartet auf Speicherung in %2</translation>
    </message>
    <message>
        <source>The value of entry %1 (%2 %3), kept for %4, cannot be stored: %5

It stays in &quot;Pending rows.txt&quot; with the values entered after it, and is stored once the database takes it.</source>
        <comment>103</comment>
        <translation>Der Wert von Eintrag %1 (%2 %3), aufbewahrt für %4, kann nicht gespeichert werden: %5

Er bleibt mit den danach eingegebenen Werten in „Pending rows.txt“ und wird gespeichert, sobald die Datenbank ihn annimmt.</translation>
    </message>
    <message>
        <source>Not kept to be stored later: %1</source>
        <comment>104</comment>
        <translation>Nicht zum späteren Speichern aufbewahrt: %1</translation>
    </message>
    <message>
        <source>Values kept in &quot;Pending rows.txt&quot; cannot be read and are left out: %1</source>
        <comment>105</comment>
        <translation>In „Pending rows.txt“ aufbewahrte Werte können nicht gelesen werden und werden ausgelassen: %1</translation>
    </message>
    <message>
        <source>Rows from %1 to %2 in %3</source>
        <comment>106</comment>
        <translation>Zeilen von %1 bis %2 in %3</translation>
    </message>
    <message>
        <source>The chart could not be printed: %1</source>
        <comment>107</comment>
        <translation>Das Diagramm konnte nicht gedruckt werden: %1</translation>
    </message>
    <message>
        <source>the page leaves too little room for the chart under its heading.</source>
        <comment>108</comment>
        <translation>Die Seite lässt unter ihrer Überschrift zu wenig Platz für das Diagramm.</translation>
    </message>
    <message>
        <source>the printer cannot be used.</source>
        <comment>109</comment>
        <translation>Der Drucker kann nicht verwendet werden.</translation>
    </message>
    <message>
        <source>&amp;Leak test limits...</source>
        <comment>110</comment>
        <translation>&amp;Grenzen des Lecktests...</translation>
    </message>
    <message>
        <source>Leak &amp;decisions...</source>
        <comment>111</comment>
        <translation>&amp;Leckentscheidungen...</translation>
    </message>
    <message>
        <source>&amp;False alarm probability α</source>
        <comment>112</comment>
        <translation>&amp;Fehlalarmwahrscheinlichkeit α</translation>
    </message>
    <message>
        <source>&amp;Missed leak probability β</source>
        <comment>113</comment>
        <translatorcomment>Label of 201 px: &quot;Wahrscheinlichkeit eines übersehenen Lecks β&quot; does not fit.</translatorcomment>
        <translation>&amp;Wahrsch. für übersehenes Leck β</translation>
    </message>
    <message>
        <source>The values are natural lo&amp;garithms of the ratio</source>
        <comment>114</comment>
        <translation>Die Werte sind natürliche Lo&amp;garithmen des Verhältnisses</translation>
    </message>
    <message>
        <source>The values are the rat&amp;io itself</source>
        <comment>115</comment>
        <translation>Die Werte sind das &amp;Verhältnis selbst</translation>
    </message>
    <message>
        <source>&amp;Upper limit A (leak)</source>
        <comment>116</comment>
        <translation>O&amp;bere Grenze A (Leck)</translation>
    </message>
    <message>
        <source>&amp;Lower limit B (no leak)</source>
        <comment>117</comment>
        <translation>&amp;Untere Grenze B (kein Leck)</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <comment>118</comment>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;No limits</source>
        <comment>119</comment>
        <translatorcomment>Button of 81 px beside OK: &quot;Keine Grenzen&quot; and &quot;Ohne Grenzen&quot; do not fit; the button removes the limits.</translatorcomment>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>%1 is not a number.</source>
        <comment>120</comment>
        <translation>%1 ist keine Zahl.</translation>
    </message>
    <message>
        <source>%1 must lie between 0 and 1, both excluded.</source>
        <comment>121</comment>
        <translation>%1 muss zwischen 0 und 1 liegen, beide ausgeschlossen.</translation>
    </message>
    <message>
        <source>%1 and %2 together must stay below 1.</source>
        <comment>122</comment>
        <translation>%1 und %2 müssen zusammen unter 1 bleiben.</translation>
    </message>
    <message>
        <source>%1 must lie above %2.</source>
        <comment>123</comment>
        <translation>%1 muss über %2 liegen.</translation>
    </message>
    <message>
        <source>%1 must lie above 0 when the values are the ratio itself.</source>
        <comment>124</comment>
        <translation>%1 muss über 0 liegen, wenn die Werte das Verhältnis selbst sind.</translation>
    </message>
    <message>
        <source>Leak: %1 reached A at %2</source>
        <comment>125</comment>
        <translation>Leck: %1 erreichte A um %2</translation>
    </message>
    <message>
        <source>No leak: %1 reached B at %2</source>
        <comment>126</comment>
        <translation>Kein Leck: %1 erreichte B um %2</translation>
    </message>
    <message>
        <source>Testing: B &lt; %1 &lt; A</source>
        <comment>127</comment>
        <translation>Prüfung läuft: B &lt; %1 &lt; A</translation>
    </message>
    <message>
        <source>%1 to %2: %3 row(s), highest %4</source>
        <comment>128</comment>
        <translation>%1 bis %2: %3 Zeile(n), höchster Wert %4</translation>
    </message>
    <message>
        <source>The limits hold for this run, but they could not be kept for the next one: %1</source>
        <comment>129</comment>
        <translation>Die Grenzen gelten für diesen Lauf, konnten aber nicht für den nächsten aufbewahrt werden: %1</translation>
    </message>
    <message>
        <source>&amp;Time scale</source>
        <comment>130</comment>
        <translation>Zei&amp;tachse</translation>
    </message>
    <message>
        <source>Su&amp;mmary...</source>
        <comment>131</comment>
        <translation>Zusa&amp;mmenfassung...</translation>
    </message>
    <message>
        <source>C&amp;opy</source>
        <comment>132</comment>
        <translation>K&amp;opieren</translation>
    </message>
    <message>
        <source>Rows</source>
        <comment>133</comment>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source>First moment</source>
        <comment>134</comment>
        <translation>Erster Zeitpunkt</translation>
    </message>
    <message>
        <source>Last moment</source>
        <comment>135</comment>
        <translation>Letzter Zeitpunkt</translation>
    </message>
    <message>
        <source>Lowest value</source>
        <comment>136</comment>
        <translation>Niedrigster Wert</translation>
    </message>
    <message>
        <source>Highest value</source>
        <comment>137</comment>
        <translation>Höchster Wert</translation>
    </message>
    <message>
        <source>Mean</source>
        <comment>138</comment>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Standard deviation</source>
        <comment>139</comment>
        <translation>Standardabweichung</translation>
    </message>
    <message>
        <source>Gaps</source>
        <comment>140</comment>
        <translation>Lücken</translation>
    </message>
    <message>
        <source>Longest gap</source>
        <comment>141</comment>
        <translation>Längste Lücke</translation>
    </message>
    <message>
        <source>Time in gaps</source>
        <comment>142</comment>
        <translation>Zeit in Lücken</translation>
    </message>
    <message>
        <source>Rows whose Date and Time are no moment</source>
        <comment>143</comment>
        <translation>Zeilen, deren Date und Time kein Zeitpunkt sind</translation>
    </message>
    <message>
        <source>Rows at or above A</source>
        <comment>144</comment>
        <translation>Zeilen bei oder über A</translation>
    </message>
    <message>
        <source>Time at or above A</source>
        <comment>145</comment>
        <translation>Zeit bei oder über A</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <comment>146</comment>
        <translation>%1 am %2</translation>
    </message>
    <message>
        <source>%1 from %2</source>
        <comment>147</comment>
        <translation>%1 ab %2</translation>
    </message>
    <message>
        <source>%1 d %2</source>
        <comment>148</comment>
        <translation>%1 T %2</translation>
    </message>
    <message>
        <source>The time scale holds for this run, but it could not be kept for the next one: %1</source>
        <comment>149</comment>
        <translation>Die Zeitachse gilt für diesen Lauf, konnte aber nicht für den nächsten aufbewahrt werden: %1</translation>
    </message>
    <message>
        <source>This table has no index on Date and Time: a period is found by reading every row. kelvane-db index adds one.</source>
        <comment>150</comment>
        <translation>Diese Tabelle hat keinen Index über Date und Time: Für einen Zeitraum wird jede Zeile gelesen. kelvane-db index legt einen an.</translation>
    </message>
    <message>
        <source>Kelvane program</source>
        <comment>160</comment>
        <translation>Kelvane-Programm</translation>
    </message>
    <message>
        <source>About %1</source>
        <comment>161</comment>
        <translation>Info über %1</translation>
    </message>
    <message>
        <source>Version %1</source>
        <comment>162</comment>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>SQL query</source>
        <comment>163</comment>
        <translation>SQL-Abfrage</translation>
    </message>
    <message>
        <source>Chart a period</source>
        <comment>164</comment>
        <translation>Zeitraum darstellen</translation>
    </message>
    <message>
        <source>Leak test limits</source>
        <comment>165</comment>
        <translation>Grenzen des Lecktests</translation>
    </message>
    <message>
        <source>Leak decisions</source>
        <comment>166</comment>
        <translation>Leckentscheidungen</translation>
    </message>
    <message>
        <source>Chart maximized</source>
        <comment>167</comment>
        <translation>Diagramm im Vollbild</translation>
    </message>
    <message>
        <source>Error</source>
        <comment>168</comment>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Program icon</source>
        <comment>169</comment>
        <translation>Programmsymbol</translation>
    </message>
    <message>
        <source>Select Database file</source>
        <comment>170</comment>
        <translation>Datenbankdatei auswählen</translation>
    </message>
    <message>
        <source>Measurement databases (*.db *.sqlite *.sqlite3 *.kvconn);;SQLite databases (*.db *.sqlite *.sqlite3);;Connection files (*.kvconn);;All files (*)</source>
        <comment>171</comment>
        <translation>Messwert-Datenbanken (*.db *.sqlite *.sqlite3 *.kvconn);;SQLite-Datenbanken (*.db *.sqlite *.sqlite3);;Verbindungsdateien (*.kvconn);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Recent database &amp;files</source>
        <comment>172</comment>
        <translation>&amp;Letzte Datenbankdateien</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <comment>173</comment>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>&amp;As the system</source>
        <comment>174</comment>
        <translation>&amp;Wie im System</translation>
    </message>
    <message>
        <source>&amp;English</source>
        <comment>175</comment>
        <translation>&amp;English</translation>
    </message>
    <message>
        <source>&amp;Deutsch</source>
        <comment>176</comment>
        <translation>&amp;Deutsch</translation>
    </message>
    <message>
        <source>The program shows the chosen language from its next start.</source>
        <comment>177</comment>
        <translation>Das Programm zeigt die gewählte Sprache ab seinem nächsten Start.</translation>
    </message>
    <message>
        <source>The choice could not be kept for the next run: %1</source>
        <comment>178</comment>
        <translation>Die Auswahl konnte nicht für den nächsten Lauf aufbewahrt werden: %1</translation>
    </message>
    <message>
        <source>English Help.chm</source>
        <comment>179</comment>
        <translation>German Help.chm</translation>
    </message>
    <message>
        <source>no answer within %1 seconds</source>
        <comment>180</comment>
        <translation>keine Antwort innerhalb von %1 Sekunden</translation>
    </message>
    <message>
        <source>Values kept in %1 cannot be read. The file is left as it is, and values to keep go to %2 beside it.</source>
        <comment>181</comment>
        <translation>In %1 aufbewahrte Werte können nicht gelesen werden. Die Datei bleibt, wie sie ist, und aufzubewahrende Werte kommen in %2 daneben.</translation>
    </message>
    <message>
        <source>Perhaps stored in the database, as its answer was lost: %1</source>
        <comment>182</comment>
        <translation>Vielleicht in der Datenbank gespeichert, da ihre Antwort verloren ging: %1</translation>
    </message>
    <message>
        <source>The rows would take more than one read may hold on this machine: %1 rows or %2 MB, an eighth of its memory. Nothing is charted: ask for fewer rows, a shorter period.</source>
        <comment>183</comment>
        <translation>Die Zeilen würden mehr belegen, als ein Lesevorgang auf diesem Rechner halten darf: %1 Zeilen oder %2 MB, ein Achtel seines Arbeitsspeichers. Es wird nichts gezeichnet: fragen Sie weniger Zeilen ab, einen kürzeren Zeitraum.</translation>
    </message>
    <message>
        <source>the largest number in GraphData is %1, after which no row can be numbered; kelvane-db check names the rows that hold it</source>
        <comment>184</comment>
        <translation>die größte Nummer in GraphData ist %1, nach ihr kann keine Zeile nummeriert werden; kelvane-db check nennt die Zeilen, die sie tragen</translation>
    </message>
    <message>
        <source>%1 kept line(s) in %2 cannot be read. They are moved, as they are, to %3 beside it and are not stored:%4</source>
        <comment>185</comment>
        <translation>%1 aufbewahrte Zeile(n) in %2 können nicht gelesen werden. Sie werden unverändert nach %3 daneben verschoben und nicht gespeichert:%4</translation>
    </message>
    <message>
        <source>Leak alarm: %1 reached A at %2, %3</source>
        <comment>190</comment>
        <translation>Leckalarm: %1 erreichte A am %2, %3</translation>
    </message>
    <message>
        <source>Returned below A at %1</source>
        <comment>191</comment>
        <translation>Unter A zurückgegangen am %1</translation>
    </message>
    <message>
        <source>&amp;Acknowledge</source>
        <comment>192</comment>
        <translation>&amp;Quittieren</translation>
    </message>
    <message>
        <source>Si&amp;lence</source>
        <comment>193</comment>
        <translation>&amp;Ton aus</translation>
    </message>
    <message>
        <source>S&amp;helve the alarm</source>
        <comment>194</comment>
        <translation>&amp;Alarm zurückstellen</translation>
    </message>
    <message>
        <source>&amp;Unshelve the alarm</source>
        <comment>195</comment>
        <translation>Z&amp;urückstellung aufheben</translation>
    </message>
    <message>
        <source>&amp;Alarm journal...</source>
        <comment>196</comment>
        <translation>Alarm&amp;protokoll...</translation>
    </message>
    <message>
        <source>Shelve the leak alarm of %1 for:</source>
        <comment>197</comment>
        <translation>Leckalarm von %1 zurückstellen für:</translation>
    </message>
    <message>
        <source>1&amp;5 minutes</source>
        <comment>198</comment>
        <translation>1&amp;5 Minuten</translation>
    </message>
    <message>
        <source>1 &amp;hour</source>
        <comment>199</comment>
        <translation>1 &amp;Stunde</translation>
    </message>
    <message>
        <source>&amp;8 hours</source>
        <comment>200</comment>
        <translation>&amp;8 Stunden</translation>
    </message>
    <message>
        <source>C&amp;omment (required):</source>
        <comment>201</comment>
        <translation>&amp;Kommentar (erforderlich):</translation>
    </message>
    <message>
        <source>&amp;Shelve</source>
        <comment>202</comment>
        <translation>&amp;Zurückstellen</translation>
    </message>
    <message>
        <source>Say why the alarm is shelved: the comment is required.</source>
        <comment>203</comment>
        <translation>Geben Sie an, warum der Alarm zurückgestellt wird: der Kommentar ist erforderlich.</translation>
    </message>
    <message>
        <source>no database</source>
        <comment>204</comment>
        <translation>keine Datenbank</translation>
    </message>
    <message>
        <source>Leak alarm</source>
        <comment>205</comment>
        <translation>Leckalarm</translation>
    </message>
    <message>
        <source>The alarm journal could not be written: %1</source>
        <comment>206</comment>
        <translation>Das Alarmprotokoll konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>The alarm journal cannot be read: %1</source>
        <comment>207</comment>
        <translation>Das Alarmprotokoll kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>raised</source>
        <comment>208</comment>
        <translation>ausgelöst</translation>
    </message>
    <message>
        <source>acknowledged</source>
        <comment>209</comment>
        <translation>quittiert</translation>
    </message>
    <message>
        <source>returned below A</source>
        <comment>210</comment>
        <translation>unter A zurückgegangen</translation>
    </message>
    <message>
        <source>normal</source>
        <comment>211</comment>
        <translation>Normal</translation>
    </message>
    <message>
        <source>silenced</source>
        <comment>212</comment>
        <translation>Ton ausgeschaltet</translation>
    </message>
    <message>
        <source>shelved until %1</source>
        <comment>213</comment>
        <translation>zurückgestellt bis %1</translation>
    </message>
    <message>
        <source>unshelved</source>
        <comment>214</comment>
        <translation>Zurückstellung aufgehoben</translation>
    </message>
    <message>
        <source>Date and time</source>
        <comment>215</comment>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>Event</source>
        <comment>216</comment>
        <translation>Ereignis</translation>
    </message>
    <message>
        <source>Value</source>
        <comment>217</comment>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Login name</source>
        <comment>218</comment>
        <translation>Anmeldename</translation>
    </message>
    <message>
        <source>Comment</source>
        <comment>219</comment>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source>Stati&amp;ons...</source>
        <comment>220</comment>
        <translation>Stati&amp;onen...</translation>
    </message>
    <message>
        <source>Stations compared</source>
        <comment>221</comment>
        <translation>Stationen im Vergleich</translation>
    </message>
    <message>
        <source>&amp;Databases charted beside the chosen one (at most five):</source>
        <comment>222</comment>
        <translation>&amp;Neben der gewählten Datenbank gezeichnet (höchstens fünf):</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <comment>223</comment>
        <translation>&amp;Hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <comment>224</comment>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Name shown:</source>
        <comment>225</comment>
        <translation>An&amp;gezeigter Name:</translation>
    </message>
    <message>
        <source>Five databases are charted beside the chosen one already: remove one first.</source>
        <comment>226</comment>
        <translation>Neben der gewählten werden schon fünf Datenbanken gezeichnet: entfernen Sie zuerst eine.</translation>
    </message>
    <message>
        <source>%1 is charted already.</source>
        <comment>227</comment>
        <translation>%1 wird schon gezeichnet.</translation>
    </message>
    <message>
        <source>These stations could not be read; the chart shows the others:
%1</source>
        <comment>228</comment>
        <translation>Diese Stationen konnten nicht gelesen werden; das Diagramm zeigt die übrigen:
%1</translation>
    </message>
    <message>
        <source>Each station needs a name.</source>
        <comment>229</comment>
        <translation>Jede Station braucht einen Namen.</translation>
    </message>
    <message>
        <source>Station</source>
        <comment>230</comment>
        <translation>Messstation</translation>
    </message>
    <message>
        <source>%1 is the chosen database, which is always the first station.</source>
        <comment>231</comment>
        <translation>%1 ist die gewählte Datenbank, die immer die erste Station ist.</translation>
    </message>
    <message>
        <source>Charts of several stations are always on the time scale.</source>
        <comment>232</comment>
        <translation>Diagramme mehrerer Stationen sind immer auf der Zeitskala.</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <comment>240</comment>
        <translation>Sch&amp;ließen</translation>
    </message>
    <message>
        <source>C&amp;ancel</source>
        <comment>241</comment>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>kelvane::HelpWindow</name>
    <message>
        <source>Help file not found</source>
        <translation>Hilfedatei nicht gefunden</translation>
    </message>
    <message>
        <source>The help file could not be opened:</source>
        <translation>Die Hilfedatei konnte nicht geöffnet werden:</translation>
    </message>
    <message>
        <source>It is looked for beside the program; reinstalling the program puts it back.</source>
        <translation>Sie wird neben dem Programm gesucht; eine Neuinstallation des Programms stellt sie wieder her.</translation>
    </message>
    <message>
        <source>Topic not found</source>
        <translation>Thema nicht gefunden</translation>
    </message>
    <message>
        <source>The help file has no page %1.</source>
        <translation>Die Hilfedatei hat keine Seite %1.</translation>
    </message>
    <message>
        <source>Kelvane program Help</source>
        <translation>Hilfe zum Kelvane-Programm</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>Navigationsleiste</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
</context>
</TS>
