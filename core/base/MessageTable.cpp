#include "core/base/MessageTable.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>

namespace brisca {
namespace {

// Texts are kept piece by piece as they were first written, trailing blanks and
// spellings included: users and manuals quote them, so they are not reworded.
constexpr MessageEntry kMessages[] = {
    // Errors. Codes 78..85, 87, 111..122, 150..161 and 165 are not used.
    {MessageKind::Error, 1, "Incomplete Engine", "Bore/Stroke Selection Required"},
    {MessageKind::Error, 2, "Incomplete Engine", "Valid Bore value Required"},
    {MessageKind::Error, 3, "Incomplete Engine", "Valid Stroke value Required"},
    {MessageKind::Error, 4, "Incomplete Engine", "Valid Number of Cylinders value Required"},
    {MessageKind::Error, 5, "Incomplete Engine", "Cylinder Head Selection Required"},
    {MessageKind::Error, 6, "Incomplete Engine",
     "Valid Number of Intake Valves per Cylinder value Required"},
    {MessageKind::Error, 7, "Incomplete Engine",
     "Valid Number of Exhaust Valves per Cylinder value Required"},
    {MessageKind::Error, 8, "Incomplete Engine", "Valid Intake Valve Diameter Required"},
    {MessageKind::Error, 9, "Incomplete Engine", "Valid Exhaust Valve Diameter Required"},
    {MessageKind::Error, 10, "Incomplete Engine", "Compression Ratio Selection Required"},
    {MessageKind::Error, 11, "Incomplete Engine", "Induction Flow Selection Required"},
    {MessageKind::Error, 12, "Incomplete Engine", "Induction Flow Pressure Drop value Required"},
    {MessageKind::Error, 13, "Incomplete Engine", "Manifold Selection Required"},
    {MessageKind::Error, 14, "Incomplete Engine", "Fuel Type Selection Required"},
    {MessageKind::Error, 15, "Incomplete Engine", "Nitrous Flow Selection Required"},
    {MessageKind::Error, 16, "Incomplete Engine", "Blower Selection Required"},
    {MessageKind::Error, 17, "Incomplete Engine", "Valid Blower Flow value Required"},
    {MessageKind::Error, 18, "Incomplete Engine", "Valid Intercooler Pressure Drop value Required"},
    {MessageKind::Error, 19, "Incomplete Engine", "Valid Blower Efficiency value Required"},
    {MessageKind::Error, 20, "Incomplete Engine", "Valid Blower Turbine Size"},
    {MessageKind::Error, 21, "Incomplete Engine", "Valid Blower Turbine A/R Ratio."},
    {MessageKind::Error, 22, "Incomplete Engine", "Valid Blower Internal Gear Ratio Required"},
    {MessageKind::Error, 23, "Incomplete Engine", "Valid Blower Belt Gear Ratio value Required"},
    {MessageKind::Error, 24, "Incomplete Engine", "Valid Blower Boost Level Limit value Required"},
    {MessageKind::Error, 25, "Incomplete Engine", "Valid Intercooler Efficiency value Required"},
    {MessageKind::Error, 26, "Incomplete Engine", "Exhaust Selection Required"},
    {MessageKind::Error, 27, "Incomplete Engine", "Camshaft Selection Required"},
    {MessageKind::Error, 28, "Incomplete Engine", "A valid Cam Description is Required"},
    {MessageKind::Error, 29, "Incomplete Engine", "Lifter type entry Required"},
    {MessageKind::Error, 30, "Incomplete Engine", "A valid Cam Timing Method is Required"},
    {MessageKind::Error, 31, "Incomplete Engine",
     "A valid Cam Intake Lobe Advance/Retard value is Required"},
    {MessageKind::Error, 32, "Incomplete Engine", "A valid Cam Intake Lift value is Required"},
    {MessageKind::Error, 33, "Incomplete Engine", "A valid Cam Exhaust Lift value is Required"},
    {MessageKind::Error, 34, "Incomplete Engine", "A valid Cam IVO value is Required"},
    {MessageKind::Error, 35, "Incomplete Engine", "A valid Cam IVC value is Required"},
    {MessageKind::Error, 36, "Incomplete Engine", "A valid Cam EVO value is Required"},
    {MessageKind::Error, 37, "Incomplete Engine", "A valid Cam EVC value is Required"},
    {MessageKind::Error, 38, "Incomplete Engine",
     "A valid Cam Intake Center Angle value is Required"},
    {MessageKind::Error, 39, "Incomplete Engine",
     "A valid Cam Lobe Center Angle value is Required"},
    {MessageKind::Error, 40, "Incomplete Engine", "A valid Cam Intake Duration value is Required"},
    {MessageKind::Error, 41, "Incomplete Engine", "A valid Cam Exhaust Duration value is Required"},
    {MessageKind::Error, 42, "Simulation Run Time Error",
     "The Brisca was unable to complete the simulation.\n"
     "A more balanced combination of engine components is required.\n"
     "Try increasing the induction flow, stroke length, or port flow.\n"
     "Also try reducing the camshaft duration."},
    {MessageKind::Error, 43, "File Error", "Unable to Open the Selected File"},
    {MessageKind::Error, 44, "File Error", "Unable to Write to the Selected File{detail}",
     DetailRule::Optional, "\n\n"},
    {MessageKind::Error, 45, "File Error", "Unable to Read from the Selected File"},
    {MessageKind::Error, 46, "File Error", "Unable to Close the Selected File"},
    {MessageKind::Error, 47, "File Error",
     "The selected file contains an invalid value.\n"
     "The file may be damaged, or it was not created\n"
     "by this version of the Brisca program ( Version {version} ).\n\n"
     "Please select a File created by this program."},
    {MessageKind::Error, 48, "Invalid File Version",
     "The Brisca File you have selected was not created\n"
     "by this version of the Brisca program"
     " ( Version {version} ).\n\n"
     "Data files created with other versions of this program\n"
     "or with other simulation software are not compatible with\n"
     "this version of the Brisca Program.\n\n"
     "Please select a File created by this program."},
    {MessageKind::Error, 49, "Invalid File Version",
     "The Airflow Data File you have selected was not created\n"
     "by this version of the Brisca program"
     " ( Version {version} ).\n\n"
     "Data files created with other versions of this program\n"
     "or with other simulation software are not compatible with\n"
     "this version of the Brisca Program.\n\n"
     "Please select an Airflow Data File created by this program."},
    {MessageKind::Error, 50, "Invalid File Version",
     "The Cam Data File you have selected was not created\n"
     "by this version of the Brisca program"
     " ( Version {version} ).\n\n"
     "Data files created with other versions of this program\n"
     "or with other simulation software are not compatible with\n"
     "this version of the Brisca Program.\n\n"
     "Please select an Cam Data File created by this program."},
    {MessageKind::Error, 51, "Incomplete Airflow Data",
     "The Intake Valve Lift Data Set contains a data point whose\n"
     "lift value is less than or equal to the lift value associated\n"
     "with the Set's previous data point.\n\n"
     "Make sure that the valve lifts you enter define an\n"
     "ascending data set. For more information, refer to the\n"
     "Installation And Overview manual supplied with your\n"
     "software package."},
    {MessageKind::Error, 52, "Incomplete Airflow Data",
     "The Exhaust Valve Lift Data Set contains a data point whose\n"
     "lift value is less than or equal to the lift value associated\n"
     "with the Set's previous data point.\n\n"
     "Make sure that the valve lifts you enter define an\n"
     "ascending data set. For more information, refer to the\n"
     "Installation And Overview manual supplied with your\n"
     "software package."},
    {MessageKind::Error, 53, "Incomplete Airflow Data",
     "A valid Intake Valve Test Diameter value is Required"},
    {MessageKind::Error, 54, "Incomplete Airflow Data",
     "A valid Intake Valve Test Pressure value is Required"},
    {MessageKind::Error, 55, "Incomplete Airflow Data",
     "A valid Exhaust Valve Test Diameter value is Required"},
    {MessageKind::Error, 56, "Incomplete Airflow Data",
     "A valid Exhaust Valve Test Pressure value is Required"},
    {MessageKind::Error, 57, "Incomplete Airflow Data",
     "A valid set of Intake Valve Lift Data is Required"},
    {MessageKind::Error, 58, "Incomplete Airflow Data",
     "A valid set of Intake Valve Flow Data is Required"},
    {MessageKind::Error, 59, "Incomplete Airflow Data",
     "A valid set of Exhaust Valve Lift Data is Required"},
    {MessageKind::Error, 60, "Incomplete Airflow Data",
     "A valid set of Exhaust Valve Flow Data is Required"},
    {MessageKind::Error, 61, "Incomplete Airflow Data",
     "A valid Airflow Data Description is Required"},
    {MessageKind::Error, 62, "Iterator Testing Error",
     "A valid baseline engine with Simulation results is Required"},
    {MessageKind::Error, 63, "Iterator Testing Error",
     "The total tests required for Iteration must be greater\n"
     "than 2. Make sure that the Iterator's Setup parameters\n"
     "have been specified.\n"
     "For more information, refer to the Installation And Overview\n"
     "manual supplied with your software package."},
    {MessageKind::Error, 64, "Iterator Testing Error",
     "A Number of Steps value greater than 2 is required for each\n"
     "Iteration Parameter selected.\n"
     "For more information, refer to the Installation And Overview\n"
     "manual supplied with your software package."},
    {MessageKind::Error, 65, "Iterator Testing Error",
     "An Iteration Data Type specification has been duplicated.\n"
     "Make sure that the Data Type specified for each\n"
     "Iteration Parameter occurs only once.\n"
     "For more information, refer to the Installation And Overview\n"
     "manual supplied with your software package."},
    {MessageKind::Error, 66, "Iterator Testing Error",
     "Unable to create the new Best Results Brisca Document.\n"
     "The system may have insufficient memory available.\n"
     "This problem may be correctable by closing some of\n"
     "the documents currently open.\n"
     "For more information, refer to the Installation And Overview\n"
     "manual supplied with your software package."},
    {MessageKind::Error, 67, "Iterator Testing Error",
     "The Maximum RPM value must be larger than \n"
     "Minimum RPM value when defining the RPM range."},
    {MessageKind::Error, 68, "Iterator Testing Error",
     "The Auto Calculate Valve Sizes and/or Valve Lifts feature\n"
     "is enabled for the Brisca document selected. These\n"
     "features must be disabled for Iterator Testing."},
    {MessageKind::Error, 69, "Registry Error",
     "Unable to connect with the System Registry.\n"
     "For more information, refer to the Installation And\n"
     "Overview manual supplied with your software package."},
    {MessageKind::Error, 70, "User Manual Error",
     "Unable to open the Acrobat Reader file extension\n"
     "(.pdf) key in the System Registry.\n"
     "Adobe Acrobat Reader (version 3.0 or higher) must be \n"
     "installed in order to view the Brisca User Manual.\n"
     "For more information, refer to the Installation And\n"
     "Overview manual supplied with your software package."},
    {MessageKind::Error, 71, "User Manual Error",
     "Unable to read the Document Type value associated\n"
     "with the (.pdf) key in the System Registry.\n"
     "Adobe Acrobat Reader (version 3.0 or higher) must be \n"
     "installed in order to view the Brisca User Manual.\n"
     "For more information, refer to the Installation And\n"
     "Overview manual supplied with your software package."},
    {MessageKind::Error, 72, "Registry Error",
     "Unable to close sub-key in the System Registry.\n"
     "For more information, refer to the Installation And\n"
     "Overview manual supplied with your software package."},
    {MessageKind::Error, 73, "User Manual Error",
     "Unable to open the Acrobat Reader Document Type\n"
     "sub-key in the System Registry.\n"
     "Adobe Acrobat Reader (version 3.0 or higher) must be \n"
     "installed in order to view the Brisca User Manual.\n"
     "For more information, refer to the Installation And\n"
     "Overview manual supplied with your software package."},
    {MessageKind::Error, 74, "User Manual Error",
     "Unable to read the command line value associated\n"
     "with the Acrobat Reader Document Type sub-key in the\n"
     "System Registry.\n"
     "Adobe Acrobat Reader (version 3.0 or higher) must be \n"
     "installed in order to view the Brisca User Manual.\n"
     "For more information, refer to the Installation And\n"
     "Overview manual supplied with your software package."},
    {MessageKind::Error, 75, "User Manual Error",
     "The command line value associated with the Acrobat\n"
     "Reader Document Type in the System Registry is invalid.\n"
     "Adobe Acrobat Reader (version 3.0 or higher) must be \n"
     "installed in order to view the Brisca User Manual.\n"
     "For more information, refer to the Installation And\n"
     "Overview manual supplied with your software package."},
    {MessageKind::Error, 76, "User Manual Error",
     "The Brisca User Manual was not found.\n"
     "Brisca looked for it at:\n"
     "{detail}\n"
     "Reinstall Brisca to restore the manual.",
     DetailRule::Required},
    {MessageKind::Error, 77, "Product Information Error",
     "Unable to start the Brisca Product Information program.\n"
     "Product information is not included with this version\n"
     "of the Brisca program.\n"
     "For more information, refer to the Installation And\n"
     "Overview manual supplied with your software package."},
    {MessageKind::Error, 86, "Iterator Testing Error",
     "You have selected parameters and step values that have\n"
     "resulted in an Iterator test series of over 300-million \n"
     "cycles (may take longer than 1 year to calculate).\n"
     "Increase the step values and try again.\n"},
    {MessageKind::Error, 88, "Incomplete Short Block",
     "In order to use the Compression Ratio Calculator,\n"
     "all components in the SHORT BLOCK component \n"
     "category must be specified.\n"},
    {MessageKind::Error, 89, "Out-of-Range Compression Ratio",
     "The Compression Ratio calculated is correct, but is \n"
     "not within the range of compression ratios allowable\n"
     "by the Brisca program.\n\n"
     "In order to run the simulation, Compression Ratios\n"
     "must be within the range of "
     "{number}"
     " .",
     DetailRule::None, nullptr, "%.2f to %.2f", {6, 18}},
    {MessageKind::Error, 90, "Incomplete Compression Ratio Data",
     "Valid Cylinder Head Chamber Volume value Required"},
    {MessageKind::Error, 91, "Incomplete Compression Ratio Data",
     "Valid Head Gasket Bore Diameter value Required"},
    {MessageKind::Error, 92, "Incomplete Compression Ratio Data",
     "Valid Head Gasket Thickness value Required"},
    {MessageKind::Error, 93, "Incomplete Compression Ratio Data",
     "A Valid piston distance down bore value\n"
     "at TDC (top dead center) is required."},
    {MessageKind::Error, 94, "Incomplete Compression Ratio Data",
     "A Valid piston distance down bore value\n"
     "from TDC (top dead center) is required."},
    {MessageKind::Error, 95, "Incomplete Compression Ratio Data",
     "A Valid measured volume above the Domed Piston\n"
     "value is required."},
    {MessageKind::Error, 96, "Incomplete Compression Ratio Data",
     "A Valid Compression Ratio Value has not been computed.\n"
     "This can occur when the Combustion Chamber data values specified \n"
     "result in a Total Combustion Volume of zero.\n"},
    {MessageKind::Error, 97, "Incomplete Airflow Math Data", "Valid Airflow value Required"},
    {MessageKind::Error, 98, "Incomplete Airflow Math Data",
     "Valid Airflow Pressure Drop value Required"},
    {MessageKind::Error, 99, "Out-of-Range Airflow Rating Value",
     "The Induction Airflow Rating value is correct, but is \n"
     "not within the range of Induction Airflow ratings allowable\n"
     "by the Brisca program.\n\n"
     "In order to run the simulation, Induction Airflow ratings\n"
     "must be within the range of "
     "{number}"
     " cfm.",
     DetailRule::None, nullptr, "%.2f to %.2f", {100, 4000}},
    {MessageKind::Error, 100, "Data Zones Setup Error",
     "A data zone range has been setup with its maximum limit\n"
     "less than or equal to its minimum limit.\n\n"
     "Make sure that the data zone range you enter defines\n"
     "the zone's maximum limit to be greater than its minimum limit.\n\n"
     "For more information, refer to the Installation And Overview\n"
     "manual supplied with your software package."},
    {MessageKind::Error, 101, "Data Zones Setup Error",
     "A data zone range has been setup so that it overlaps one\n"
     "or more other zones.\n\n"
     "Make sure that the data zone range you enter contains minimum\n"
     "and maximum limits that do not overlap other data zone ranges.\n\n"
     "For more information, refer to the Installation And Overview\n"
     "manual supplied with your software package."},
    {MessageKind::Error, 102, "Cam Search Error", "A starting search folder must be specified."},
    {MessageKind::Error, 103, "Cam Search Error",
     "A Cam spec search range is incomplete. Each Cam \n"
     "spec search range selected must contain valid\n"
     "'From' and 'To' values."},
    {MessageKind::Error, 104, "Cam Search Error",
     "A Cam spec search range is incorrectly specified.\n"
     "A valid Cam spec search range requires the 'To' value\n"
     "to be greater than or equal to the 'From' value."},
    {MessageKind::Error, 105, "Incomplete Engine",
     "A valid Cam Lifter Acceleration value is Required"},
    {MessageKind::Error, 106, "Cam Timing Error",
     "The cam specification entered is valid, but has resulted in\n"
     "a corresponding IVO or IVC value that is outside the limits\n"
     "permissible by this program.\n\n"
     "A valid IVO and IVC value is required.\n"},
    {MessageKind::Error, 107, "Cam Timing Error",
     "The cam specification entered is valid, but has resulted in\n"
     "a corresponding EVO or EVC value that is outside the limits\n"
     "permissible by this program.\n\n"
     "A valid EVO and EVC value is required.\n"},
    {MessageKind::Error, 108, "Cam Search Error",
     "A problem has occured attempting to open the current Cam File:\n"
     "{detail}"
     "\n\n"
     "The problem could be due to an invalid file version or because\n"
     "the file contains an invalid cam specification value.\n\n"
     "Press OK to continue with the current Cam search or \n"
     "choose Cancel to abort.\n",
     DetailRule::Required},
    {MessageKind::Error, 109, "Iterator Testing Error",
     "In order for the Iterator to perform constant Engine Displacement\n"
     "Iteration, the Bore or Stroke Tolerance must be greater than zero.\n\n"
     "Make sure that either the Bore or Stroke Tolerance is greater than\n"
     "zero and that the Step Value selected is small enough so that the\n"
     "Number of Tests value is greater than 1.\n\n"
     "For more information, refer to the Installation And Overview\n"
     "manual supplied with your software package."},
    {MessageKind::Error, 110, "Iterator Testing Error",
     "In order for the Iterator to perform Induction Manifold Iteration,\n"
     "at least 2 Manifolds must be selected.\n\n"
     "For more information, refer to the Installation And Overview\n"
     "manual supplied with your software package."},
    {MessageKind::Error, 123, "Kalvex Error", "Unable to Open the Kalvex Input File"},
    {MessageKind::Error, 124, "Kalvex Error", "Unable to Write to the Kalvex Input File"},
    {MessageKind::Error, 125, "Kalvex Error", "Unable to Close the Kalvex Input File"},
    {MessageKind::Error, 126, "Kalvex Error", "Unable to Open the Kalvex Ouput File"},
    {MessageKind::Error, 127, "Kalvex Error", "Unable to Write to the Kalvex Output File"},
    {MessageKind::Error, 128, "Kalvex Error", "Unable to Close the Kalvex Output File"},
    {MessageKind::Error, 129, "Kalvex Error", "Unable to determine System Default Printer"},
    {MessageKind::Error, 130, "Kalvex Error",
     "Unable to start the Application required for viewing the Kalvex Output file."},
    {MessageKind::Error, 131, "Kalvex Error", "Invalid Input Report File name specified."},
    {MessageKind::Error, 132, "Kalvex Error", "Invalid Ouput Report File name specified."},
    {MessageKind::Error, 133, "Kalvex Error", "Invalid Logo File name specified."},
    {MessageKind::Error, 134, "Kalvex Error", "Invalid Page Bottom File name specified."},
    {MessageKind::Error, 135, "Kalvex Error", "Unable to Open the Kalvex Page Footer File"},
    {MessageKind::Error, 136, "Kalvex Error", "Unable to Close the Kalvex Page Footer File"},
    {MessageKind::Error, 137, "Kalvex Error", "Invalid Table of Contents File name specified."},
    {MessageKind::Error, 138, "Kalvex Error", "Invalid Full Glossary File name specified."},
    {MessageKind::Error, 139, "Kalvex Error", "Invalid Mini Glossary File name specified."},
    {MessageKind::Error, 140, "Kalvex Error", "Unable to Open the Kalvex Glossary File"},
    {MessageKind::Error, 141, "Kalvex Error", "Unable to Close the Kalvex Glossary File"},
    {MessageKind::Error, 142, "Kalvex Error", "Unable to Open the Kalvex Table of Contents File"},
    {MessageKind::Error, 143, "Kalvex Error", "Unable to Close the Kalvex Table of Contents File"},
    {MessageKind::Error, 144, "Internet connection not available",
     "You are currently not connected to the Internet. Please start\n"
     "up your Internet Connection and retry.\n\n"
     "For more information, refer to the Installation And Overview \n"
     "manual supplied with your software package.\n"},
    {MessageKind::Error, 145, "Email Submission Error",
     "A problem has occured performing the requested email submission\n"
     "and must be terminated.\n\n"
     "{detail}"
     "For more information, refer to the Installation And Overview \n"
     "manual supplied with your software package.\n",
     DetailRule::Optional, "The problem was determined to be caused by:\n"},
    {MessageKind::Error, 146, "Internet Communication Error",
     "An Internet Initialization error has occured. The current attempt to submit data\n"
     "must be terminated.\n\n"
     "{detail}"
     "For more information, refer to the Installation And Overview \n"
     "manual supplied with your software package.\n",
     DetailRule::Optional, "Windows reports the problem to be:\n"},
    {MessageKind::Error, 147, "Internet Communication Error",
     "An Internet Connection error has occured. The current attempt to submit data\n"
     "must be terminated.\n\n"
     "{detail}"
     "For more information, refer to the Installation And Overview \n"
     "manual supplied with your software package.\n",
     DetailRule::Optional, "Windows reports the problem to be:\n"},
    {MessageKind::Error, 148, "Internet Communication Error",
     "An Internet communication protocol command has failed. The current attempt to submit data\n"
     "must be terminated.\n\n"
     "{detail}"
     "For more information, refer to the Installation And Overview \n"
     "manual supplied with your software package.\n",
     DetailRule::Optional, "Windows reports the problem to be:\n"},
    {MessageKind::Error, 149, "Internet Communication Error",
     "An Internet file transmission request has failed. The current attempt to submit data\n"
     "must be terminated.\n\n"
     "{detail}"
     "For more information, refer to the Installation And Overview \n"
     "manual supplied with your software package.\n",
     DetailRule::Optional, "Windows reports the problem to be:\n"},
    {MessageKind::Error, 162, "Contest Entry Error",
     "Contest Submission requires the entry of a valid Contest Number"},
    {MessageKind::Error, 163, "Contest Entry Error",
     "Contest Submission requires the Contest Entry to be saved to disk.\n"
     "Please Save the current Document and then retry Contest Submission."},
    {MessageKind::Error, 164, "Contest Entry Error",
     "The Maximum number of contest submissions is "
     "{number}"
     " for this specific contest.\n"
     "You have already submitted "
     "{number}"
     " entries to the contest.\n\n"
     "Thank you for your submissions and good luck.\n",
     DetailRule::None, nullptr, "%d", {3}},
    {MessageKind::Error, 166, "Contest Entry Error",
     "You cannot submit an entry to this contest since it has already closed (on "
     "{detail}"
     ").\n"
     "For information about other contests, refer to the\n"
     "documentation supplied with your Brisca software package.\n",
     DetailRule::Required},
    {MessageKind::Error, 167, "Contest Information File missing",
     "Unable to find the Contest Information file.\n\n"
     "For information about current contests, refer to the\n"
     "documentation supplied with your Brisca software package.\n"},
    {MessageKind::Error, 168, "Incomplete Engine", "Valid Rod Ratio value Required"},
    {MessageKind::Error, 169, "Out-of-Range Rod Ratio",
     "The Rod Length entered is valid and the calculated Rod Ratio value of \n"
     "{detail}"
     " is correct, but is not within the range of Rod Ratios allowable \n"
     "by the Brisca program.\n\n"
     "In order to run the simulation, Rod Ratios must be within the range\n"
     "of "
     "{number}"
     " .",
     DetailRule::Required, nullptr, "%.1f to %.1f", {1, 3}},
    {MessageKind::Error, 170, "Out-of-Range Rod Length",
     "The Rod Ratio entered is valid and the calculated Rod Length value of\n"
     "{detail}"
     " is correct, but is not within the range of Rod Lengths allowable \n"
     "by the Brisca program.\n\n"
     "In order to run the simulation, Rod Lengths must be within the range\n"
     "of "
     "{number}"
     " .",
     DetailRule::Required, nullptr, "%.3f to %.3f inches (%.3f to %.3f mm)", {1, 18, 25.4, 457.2}},
    {MessageKind::Error, 171, "Incomplete Engine",
     "A valid Cam High Speed Activation RPM is Required"},
    {MessageKind::Error, 172, "Incomplete Engine",
     "A valid Cam Exhaust Lobe Advance/Retard value is Required"},
    {MessageKind::Error, 173, "File Error", "Unable to Open the Selected Map File.\n"},
    {MessageKind::Error, 174, "Invalid X-Axis Graph Range!",
     "The Range Maximum must be larger than \n"
     "Range Minimum when defining the axis range."},
    {MessageKind::Error, 175, "Invalid Y1-Axis Graph Range!",
     "The Range Maximum must be larger than \n"
     "Range Minimum when defining the axis range."},
    {MessageKind::Error, 176, "Invalid Y2-Axis Graph Range!",
     "The Range Maximum must be larger than \n"
     "Range Minimum when defining the axis range."},
    {MessageKind::Error, 177, "Incomplete Compression Ratio Data",
     "Valid Piston Dome Volume value Required"},
    {MessageKind::Error, 178, "Incomplete Compression Ratio Data",
     "Valid Piston Valve Reliefs Volume value Required"},
    {MessageKind::Error, 179, "Incomplete Compression Ratio Data",
     "Valid Piston to Deck Clearance value\n"
     "at TDC (top dead center) Required."},
    {MessageKind::Error, 180, "Incomplete Compression Ratio Data",
     "Valid Piston down bore value\n"
     "from TDC (top dead center) Required."},
    {MessageKind::Error, 181, "Incomplete Compression Ratio Data",
     "A Valid measured volume above the Piston\n"
     "value is required."},
    {MessageKind::Error, 182, "Registry Error",
     "Unable to create System Registry sub-key.\n"
     "For more information, refer to the Installation And\n"
     "Overview manual supplied with your software package."},
    {MessageKind::Error, 183, "Registry Error",
     "Unable to open System Registry sub-key.\n"
     "For more information, refer to the Installation And\n"
     "Overview manual supplied with your software package."},
    {MessageKind::Error, 184, "Registry Error",
     "Unable to read System Registry sub-key entry value.\n"
     "For more information, refer to the Installation And\n"
     "Overview manual supplied with your software package."},
    {MessageKind::Error, 185, "Registry Error",
     "Unable to write System Registry sub-key entry value.\n"
     "For more information, refer to the Installation And\n"
     "Overview manual supplied with your software package."},
    {MessageKind::Error, 186, "Contest Entry Error",
     "Contest Submission requires the Rules to be read and acknowledged.\n\n"
     "For more information, refer to the Installation And Overview \n"
     "materials supplied with your software package."},
    {MessageKind::Error, 187, "Contest Rules File missing",
     "Unable to find the Contest Rules file.\n\n"
     "For the rules of current contests, refer to the\n"
     "documentation supplied with your Brisca software package.\n"},
    // Errors this program added to the first ones, from 300 on.
    {MessageKind::Error, 318, "Recovery",
     "An unsaved engine left by an earlier run could not be read and\n"
     "was not opened:\n"
     "{detail}\n\n"
     "The file is kept, never deleted, where this message shows.\n",
     DetailRule::Required},
    {MessageKind::Error, 319, "Recovery",
     "Unsaved changes could not be written for recovery after a crash:\n"
     "{detail}\n\n"
     "Your engines are unaffected; save them to keep your changes. Writing is\n"
     "tried again, without this message, until the program ends.\n",
     DetailRule::Required},
    {MessageKind::Error, 340, "Report Setup",
     "The report folder already holds a different file named\n"
     "{detail}\n\n"
     "Press OK to replace it with the file you chose, or Cancel to\n"
     "keep the report folder's file and leave the setting unchanged.\n",
     DetailRule::Required},
    {MessageKind::Error, 341, "Report Setup",
     "The file you chose could not be copied into the report folder:\n"
     "{detail}\n\n"
     "The report names its pictures without a folder and finds them\n"
     "only there. The setting is unchanged.\n",
     DetailRule::Required},
    {MessageKind::Error, 350, "File Error", "Unable to Remove the Selected File\n\n{detail}",
     DetailRule::Optional, ""},
    {MessageKind::Error, 351, "File Error",
     "The Selected File is not a Regular File.\n\n"
     "A device, a pipe or a socket cannot be read as a data file."},
    {MessageKind::Error, 352, "File Error", "The Selected File Name cannot be Used\n\n{detail}",
     DetailRule::Optional, "The system reports:\n"},
    {MessageKind::Error, 353, "File Error",
     "The Selected Output Folder is a File.\n\n{detail}"
     "Choose a new folder or an existing one for the engines to be written into.",
     DetailRule::Optional, ""},
    {MessageKind::Error, 370, "Measured Run",
     "The Measured Run cannot be Read.\n\n"
     "{detail}\n\n"
     "A measured run is text with a header line naming the columns (engine\n"
     "speed, torque and/or power) and one line of numbers per speed.",
     DetailRule::Required},
    {MessageKind::Error, 390, "Measured Run",
     "The Measured Run File cannot be Found.\n\n"
     "{detail}\n\n"
     "It has been taken off the list of recent measured runs.",
     DetailRule::Required},
    // Notices. Codes 110, 112 and 117 are not used.
    {MessageKind::Notice, 101, "Important!",
     "Cam timing values have been changed FROM\n"
     "0.050-inch lifter rise TO Seat-To-Seat figures.\n\n"
     "Make sure the cam timing specs you enter are\n"
     "measured at seat-to-seat: variously described as\n"
     "0.006-open/0.010-close valve rise, 0.020-inch\n"
     "lifter rise and others. For more information,\n"
     "refer to the Installation And Overview\n"
     "manual supplied with your software package."},
    {MessageKind::Notice, 102, "Important!",
     "Cam timing values have been changed FROM\n"
     "Seat-To-Seat TO 0.050-inch figures.\n\n"
     "Make sure the cam timing specs you enter are\n"
     "measured at 0.050-inch lifter (tappet) rise. For more\n"
     "information, refer to the Installation And Overview\n"
     "manual supplied with your software package."},
    {MessageKind::Notice, 103, "Important!",
     "3-Valve heads use either two intake or two exhaust\n"
     "valves per cylinder. Make sure to select\n"
     "valve sizes that will fit side-by-side within\n"
     "the chamber (limited by bore size).\n\n"
     "If you choose \"Auto Calculate Valve Size\", the\n"
     "program will select appropriate valve sizes."},
    {MessageKind::Notice, 104, "Important!",
     "4-Valve heads use two intake and exhaust\n"
     "valves per cylinder. Make sure to select\n"
     "valve sizes that will fit side-by-side within\n"
     "the chamber (limited by bore size).\n\n"
     "If you choose \"Auto Calculate Valve Size\", the\n"
     "program will select appropriate valve sizes."},
    {MessageKind::Notice, 105, "Important!",
     "The Individual Runner induction model feeds each cylinder\n"
     "through a separate runner and uses no common plenum.\n"
     "Induction airflow will be divided equally between all\n"
     "cylinders with no flow sharing or pressure wave interaction\n"
     "between cylinders.\n\n"
     "Enter an Induction Flow equal to the SUM of the flow\n"
     "ratings of all individual barrels/injector stacks."},
    {MessageKind::Notice, 106, "Important!",
     "The Display Monitor's color depth setting has been changed to a \n"
     "low color mode with less than or equal to 256 colors available.\n\n"
     "In this low color mode, the Brisca's enhanced color features will \n"
     "not be available for use.\n\n"
     "For more information, refer to the Installation And Overview \n"
     "manual supplied with your software package.\n"},
    {MessageKind::Notice, 107, "Important!",
     "In order to automatically compute the Lifter Acceleration Ramp Rate\n"
     "value, valid values for the Intake and Exhaust Valve Lifts and for \n"
     "the Seat-To-Seat and 0.050-inch cam timing specs must be entered.\n\n"
     "Because one or more of these cam specs have not been assigned values\n"
     "yet, the Ramp Rate value can not be computed and is labeled Undefined.\n\n"
     "Press OK to proceed or choose Cancel to restore the Ramp Rate\n"
     "value to its previous value.\n"},
    {MessageKind::Notice, 108, "Important!",
     "The Cylinder Head Flow Data has been modified and no longer\n"
     "matches the data in the indicated Air Flow File. It is recommended\n"
     "that you Save the modified data so that it can continue to be\n"
     "associated with the indicated Air Flow File.\n\n"
     "If you proceed, the data will longer be associated with the\n"
     "indicated Air Flow File. Press OK to proceed or choose\n"
     "Cancel to return.\n"},
    {MessageKind::Notice, 109, "Important!",
     "The Cam Data has been modified and no longer matches\n"
     "the data in the indicated Cam File. It is recommended\n"
     "that you Save the modified data so that it can continue\n"
     "to be associated with the indicated Cam File.\n\n"
     "If you proceed, the data will longer be associated with\n"
     "the indicated Cam File. Press OK to proceed or choose\n"
     "Cancel to return.\n"},
    {MessageKind::Notice, 111, "Important!",
     "The use of Combo Style Axis Data Types is not supported when \n"
     "using Multiple Documents for a Chart's data sets.\n\n"
     "If you proceed, the Axis Data Types will be set to types that\n"
     "can be used when charting Multiple Document data sets.\n"
     "Press OK to proceed or choose Cancel to return.\n"},
    {MessageKind::Notice, 113, "Important!",
     "You must exit and restart the program to use a different color scheme.\n"
     "Press OK to exit the program or choose Cancel to return.\n"},
    {MessageKind::Notice, 114, "Important!",
     "A potential problem exists with the current supercharger configuration.\n"
     "The compressor appears to be exceeding it maximum rated RPM.\n"
     "If the supercharger is a turbocharger try selecting a different compressor or\n"
     "select a larger turbine wheel and/or a larger A/R ratio.\n"
     "If the supercharger is a centrifugal supercharger, select a different\n"
     "compressor or a smaller belt or internal gear ratio.\n"},
    {MessageKind::Notice, 115, "Important!",
     "A potential problem exists with the current supercharger configuration.\n"
     "The compressor appears to enter the 'surge' area of the compressor.\n"
     "When the compressor enters surge, the compressor is no longer operating\n"
     "in an ideal state. The condition may or may not be a potential problem but\n"
     "should be evaluated further.\n"
     "If the supercharger is a turbocharger try selecting a different compressor or\n"
     "select a smaller turbine wheel and/or a smaller A/R ratio.\n"
     "If the supercharger is a centrifugal supercharger, select a different\n"
     "compressor or a larger belt or internal gear ratio.\n"},
    {MessageKind::Notice, 116, "Important!",
     "A potential problem exists with the current supercharger configuration.\n"
     "The compressor appears to enter the 'choke' area of the compressor.\n"
     "When the compressor enters choke, the compressor is not longer operating\n"
     "in an ideal state and can no longer produce any more boost.\n"
     "If the supercharger is a turbocharger try selecting a different compressor or\n"
     "select a larger turbine wheel and/or a larger A/R ratio.\n"
     "If the supercharger is a centrifugal supercharger, select a different\n"
     "compressor or a smaller belt or internal gear ratio.\n"},
    // The report folder mended from the installed pieces.
    {MessageKind::Notice, 305, "Important!",
     "These report files were empty and have been replaced\n"
     "by the installed ones:\n\n{detail}",
     DetailRule::Required},
    // Notices added later: a series' failures.
    {MessageKind::Notice, 332, "Important!", "Tests that failed, by reason:\n\n{detail}",
     DetailRule::Required},
    {MessageKind::Notice, 333, "Important!",
     "{detail} of this series lie outside the limits of the parameters they vary.\n"
     "Those tests will fail.",
     DetailRule::Required},
    // The outside viewer of the user manual (the manual itself was found).
    {MessageKind::Notice, 380, "User Manual Error",
     "The outside PDF viewer could not show the Brisca User Manual:\n"
     "{detail}\n"
     "The manual can still be read in Brisca's own viewer.",
     DetailRule::Required},
    // Warnings.
    {MessageKind::Warning, 200, "Warning!",
     "If you proceed, all displayed flow data will\n"
     "be reset to default values.\n\n"
     "Press OK to reset flow data or choose\n"
     "Cancel to leave data values intact."},
    {MessageKind::Warning, 201, "Warning!",
     "The cam timing method has been changed for the\n"
     "document registered as the Iterator's Baseline Engine.\n"
     "If you proceed, the Iterator will have to reset all\n"
     "iteration parameters.\n"
     "Press OK to reset all iteration parameters or choose\n"
     "Cancel to exit Iterator."},
    {MessageKind::Warning, 202, "Warning!",
     "The specification of a new Compression Ratio value will\n"
     "invalidate the current Compression Ratio and Total Combustion\n"
     "Volume values computed by the Compression Ratio Calculator.\n\n"
     "If you proceed, the Compression Ratio Calculator's data \n"
     "values for this engine will be cleared. Press OK to proceed \n"
     "or choose Cancel to leave the Compression Ratio Calculator's \n"
     "current data intact."},
    {MessageKind::Warning, 203, "Warning!",
     "The specification of a new cylinder-bore or crankshaft-stroke\n"
     "value will invalidate the current Total Combustion Volume value\n"
     "computed by the Compression Ratio Calculator.\n\n"
     "If you proceed, the Compression Ratio Calculator's data \n"
     "values for this engine will be cleared. Press OK to proceed \n"
     "or choose Cancel to leave the Compression Ratio Calculator's \n"
     "current data intact."},
    {MessageKind::Warning, 204, "Warning!",
     "Simulation results are missing. Run the simulation on\n"
     "this Brisca document and then retry file saving.\n\n"
     "If the simulation is unable to run this document using its \n"
     "current component settings, it can still be saved to file without\n"
     "its simulation results by pressing the OK button. However, doing\n"
     "so may cause problems when trying to import the file into other\n"
     "Brisca compatible programs.\n\n"
     "Press OK to proceed with saving of this document or choose \n"
     "Cancel to abort saving.\n"},
    {MessageKind::Warning, 205, "Warning!",
     "The specification to be changed belongs to an Engine\n"
     "registered as the Pro Iterator's Baseline Engine. If changed,\n"
     "the Pro Iterator's current results will become invalid.\n\n"
     "If you proceed, the Pro Iterator's current results will be\n"
     "cleared. Press OK to proceed or choose Cancel to leave\n"
     "the current specification and Pro Iterator results intact."},
    {MessageKind::Warning, 206, "Warning!",
     "The Brisca document about to be used in the Quick Iterator\n"
     "is currently registered as the Pro Iterator's Baseline Engine.\n"
     "In order to be compatible with the Quick Iterator, the Pro Iterator's\n"
     "current settings and results will need to be cleared.\n\n"
     "Press OK to proceed or choose Cancel to leave the current\n"
     "Pro Iterator settings and results intact."},
    // Yes/No questions.
    {MessageKind::Question, 330, "Iterator",
     "This test series has results. Changing its setup discards them.\n\n"
     "Discard the results?"},
    {MessageKind::Question, 331, "Iterator",
     "{detail} of this series lie outside the limits of the parameters they vary.\n"
     "Those tests will fail.\n\n"
     "Run the series anyway?",
     DetailRule::Required},
};

constexpr bool InCodeOrder() {
  for (std::size_t i = 1; i < std::size(kMessages); ++i) {
    const MessageEntry& a = kMessages[i - 1];
    const MessageEntry& b = kMessages[i];
    if (std::pair(static_cast<int>(a.kind), a.code) >= std::pair(static_cast<int>(b.kind), b.code))
      return false;
  }
  return true;
}
// Grouped by kind and ascending by code, so no message is defined twice.
static_assert(InCodeOrder(), "message table out of order or with a duplicate code");

}  // namespace

const MessageEntry* FindMessageEntry(MessageKind kind, int code) {
  const auto found =
      std::find_if(std::begin(kMessages), std::end(kMessages),
                   [&](const MessageEntry& e) { return e.kind == kind && e.code == code; });
  return found == std::end(kMessages) ? nullptr : found;
}

std::span<const MessageEntry> MessageTable() { return kMessages; }

}  // namespace brisca
